// Every study window walked by keyboard only: each page reached with Ctrl+PgDn, every control of the page
// reached with Tab, and Tab never trapped in a control (the grids included).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QScrollArea>
#include <QSet>
#include <QTabWidget>
#include <QTest>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/study_window.h"
#include "studies/ui/study_window_factory.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

class WindowKeyboardTest : public ::testing::TestWithParam<StudyKindId> {};

bool tabStop(QWidget* w, QWidget* page)
{
    return page->isAncestorOf(w) && w->isVisibleTo(page) && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QScrollArea*>(w) && !w->focusProxy();
}

TEST_P(WindowKeyboardTest, EveryPageAndEveryControlIsReachedAndTabIsNeverTrapped)
{
    if (!HasStudyWindow(GetParam())) GTEST_SKIP();
    SetUserDecimalSeparator(',');
    test::TestHost host;
    std::unique_ptr<StudyWindow> window = CreateStudyWindow(GetParam(), host);
    window->resize(1200, 850);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTabWidget* tabs = window->tabs();
    tabs->setCurrentIndex(0);
    window->headerField(0)->setFocus();
    QApplication::processEvents();
    for (int page = 0; page < tabs->count(); ++page) {
        if (page > 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
            QApplication::processEvents();
        }
        ASSERT_EQ(tabs->currentIndex(), page) << "Ctrl+PgDn to page " << page;
        QWidget* pageWidget = tabs->currentWidget();
        QSet<QWidget*> expected;
        for (QWidget* w : pageWidget->findChildren<QWidget*>())
            if (tabStop(w, pageWidget)) expected.insert(w);
        QSet<QWidget*> reached;
        // two rounds at most: every stop is reached, and the focus never stays in one control
        for (int i = 0; i < 2 * (expected.size() + 4) * 3 && reached.size() < expected.size() + 8; ++i) {
            QWidget* before = QApplication::focusWidget();
            ASSERT_NE(before, nullptr);
            if (pageWidget->isAncestorOf(before)) reached.insert(before);
            QTest::keyClick(before, Qt::Key_Tab);
            QApplication::processEvents();
            QWidget* after = QApplication::focusWidget();
            // a grid takes one Tab per cell; it has to be left after its last cell
            if (after == before && !qobject_cast<DataGridView*>(before)) {
                ADD_FAILURE() << "Tab trapped in " << before->metaObject()->className() << " "
                              << before->objectName().toStdString() << " on page " << page;
                break;
            }
        }
        // options of one group are one stop: Tab reaches the chosen one, the arrow keys the others
        const auto groupOf = [](QWidget* w) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            return button && button->group() ? static_cast<QObject*>(button->group())
                                             : static_cast<QObject*>(w);
        };
        QSet<QObject*> reachedStops;
        for (QWidget* w : reached) reachedStops.insert(groupOf(w));
        for (QWidget* w : expected)
            EXPECT_TRUE(reachedStops.contains(groupOf(w)))
                << w->metaObject()->className() << " " << w->objectName().toStdString()
                << " never reached on page " << page;
    }
    // and back to the first page
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), tabs->count() > 1 ? 0 : 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), tabs->count() - 1);
    SetUserDecimalSeparator('.');
}

INSTANTIATE_TEST_SUITE_P(Kinds, WindowKeyboardTest,
                         ::testing::Values(StudyKindId::Limi, StudyKindId::Prec, StudyKindId::Tara,
                                           StudyKindId::Accu, StudyKindId::Spec, StudyKindId::Prin,
                                           StudyKindId::Ripr),
                         [](const auto& info) { return std::string(KindInfo(info.param).windowName); });

}  // namespace
}  // namespace kestra
