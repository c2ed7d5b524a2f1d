// The certificate's save dialog as the user meets it: the proposed name in the study folder, typed over from
// the keyboard, and the overwrite question whose "No" shows the dialog again.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "framework/ui/qt_prompts.h"
#include "test_support.h"

namespace kestra {
namespace {

// Runs step on the modal window of type T once it is shown (its own event loop is running then), looking
// again every 50 ms. The first file dialog of a process can take seconds to show on a loaded machine (it
// reads the folder and the MIME database), so the wait is long; a dialog that never comes fails the test.
template <typename T>
void whenModal(std::function<void(T*)> step, std::shared_ptr<QElapsedTimer> since = nullptr)
{
    if (!since) {
        since = std::make_shared<QElapsedTimer>();
        since->start();
    }
    QTimer::singleShot(50, [step = std::move(step), since]() mutable {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget()); modal && modal->isVisible()) {
            step(modal);
        } else if (since->elapsed() < 60'000) {
            whenModal<T>(std::move(step), since);
        } else {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className();
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
        }
    });
}

TEST(PdfSaveDialog, ProposesTheNameAndAsksBeforeOverwriting)
{
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    QWidget parent;
    parent.show();
    QtPrompts prompts(&parent, [folder] { return folder; });

    QString proposed;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Salva il certificato");
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        proposed = name->text();
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto chosen = prompts.choosePdfSavePath("Verifica_Kestra2006_2026-12-09.pdf");
    EXPECT_EQ(proposed, "Verifica_Kestra2006_2026-12-09.pdf");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir / "Verifica_Kestra2006_2026-12-09.pdf");

    // the file is there: "No" brings the dialog back, another name typed without extension gets ".pdf"
    test::writeFile(*chosen, "%PDF");
    whenModal<QFileDialog>([&](QFileDialog* modal) {
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        whenModal<QMessageBox>([&](QMessageBox* question) {
            EXPECT_TRUE(question->text().contains("Vuoi sostituirlo?"));
            whenModal<QFileDialog>([&](QFileDialog* again) {
                auto* edit = again->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(edit, nullptr);
                edit->selectAll();
                QTest::keyClicks(edit, "altro");
                QTest::keyClick(edit, Qt::Key_Return);
            });
            QTest::keyClick(question, Qt::Key_N, Qt::AltModifier);
        });
        QTest::keyClick(name, Qt::Key_Return);
    });
    chosen = prompts.choosePdfSavePath("Verifica_Kestra2006_2026-12-09.pdf");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir / "altro.pdf");

    whenModal<QFileDialog>([](QFileDialog* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(prompts.choosePdfSavePath("x.pdf"));
}

}  // namespace
}  // namespace kestra
