// Where the file dialogs of the reports and charts start and what they propose: the study-file folder (or the
// documents folder when it is missing) and the study's own name.
#include "framework/ui/dialog_folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

#include "framework/ui/study_window.h"
#include "studies/ui/study_window_factory.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

TEST(DialogFolders, TheStudyFolderAndTheStudysNameAreProposed)
{
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    SetStudyFolderSource([folder] { return folder; });
    test::TestHost host;
    std::unique_ptr<StudyWindow> window = CreateStudyWindow(StudyKindId::Accu, host);
    QWidget child(window.get());

    // a study not saved yet is named after its kind
    EXPECT_EQ(StudyDocumentName(&child), "Accuratezza");
    EXPECT_EQ(ProposedSavePath(&child, ".pdf"), QDir(folder).filePath("Accuratezza.pdf"));
    host.script.savePaths = {dir / "lotto 12.ACC"};
    ASSERT_TRUE(window->saveStudyFileAs());
    EXPECT_EQ(StudyDocumentName(&child), "lotto 12");
    EXPECT_EQ(ProposedSavePath(window.get(), ".pdf"), QDir(folder).filePath("lotto 12.pdf"));
    // outside a study window: the folder alone
    QWidget elsewhere;
    EXPECT_EQ(ProposedSavePath(&elsewhere, ".pdf"), QDir(folder).path());

    // a study folder that is not there: the documents folder
    SetStudyFolderSource([folder] { return folder + "/missing"; });
    EXPECT_EQ(DialogStartFolder(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    SetStudyFolderSource({});
}

}  // namespace
}  // namespace kestra
