// The validation dossier's window: pages Metodo, Studi, Criteri, Esito and Firme over one dossier, its file
// commands with the modified prompt, undo of every edit, the evaluation (F9) and "Stampa dossier...".
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>

#include "dossier/evaluation.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QUndoStack;

namespace kestra {

class Prompts;
class ReportUserInterface;

// What the window needs from the program around it.
struct DossierWindowHost {
    std::function<Prompts&()> prompts;
    // Opens a study file in its study window.
    std::function<void(const std::filesystem::path&)> openStudy;
    // The study files open in a window with changes not saved yet.
    std::function<std::vector<std::filesystem::path>()> unsavedStudies;
    // "Nuova convalida..." and "Apri convalida..." of the window's File menu.
    std::function<void()> newDossier;
    std::function<void()> openDossier;
};

class DossierWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DossierWindow(DossierWindowHost host, QWidget* parent = nullptr);
    ~DossierWindow() override;

    // --- file commands; false when nothing was done (cancelled, refused, failed with its message shown)
    bool openFile(const std::filesystem::path& path);
    bool save();
    bool saveAs();
    // The close step: asks about unsaved changes; true when the window may close.
    bool closeDocument();
    bool isModified() const;
    const std::filesystem::path& filePath() const { return m_path; }
    const Dossier& dossier() const { return m_dossier; }
    QString documentTitle() const;

    // --- the dossier's commands
    // Reads and calculates every study, compares the criteria and shows the result on "Esito" (F9).
    void evaluate();
    const std::optional<DossierEvaluation>& evaluation() const { return m_evaluation; }
    // Fills the criteria proposed for the dossier's purpose (asking the values an impurity purpose needs).
    void proposeCriteria();
    // Confirms the proposals: they stop being marked as such.
    void confirmProposals();
    // "Stampa dossier...": the report parameters, then the preview (print and PDF from there).
    void printDossier();
    void printDossier(ReportUserInterface& ui);
    // "Firma...": signs the saved dossier (asks to save first); returns whether it signed.
    bool sign();
    // "Cronologia del file...": the audit trail's entries of this dossier.
    void showHistory();
    // Adds a study file (the dialog), removes the selected study, opens it in its window.
    void addStudy();
    void addStudy(const std::filesystem::path& file);
    void removeStudy();
    void openSelectedStudy();
    void addCriterion();
    void removeCriterion();

    // --- parts, for the host and the tests
    QList<QMenu*> menus() const;
    QAction* action(const QString& name) const;
    QUndoStack* undoStack() const { return m_undo; }
    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* methodField(const QString& key) const;  // "title", "document" ... "range_unit"
    QComboBox* purposeBox() const { return m_purpose; }
    QTableWidget* studiesTable() const { return m_studies; }
    QTableWidget* criteriaTable() const { return m_criteria; }
    QTableWidget* resultsTable() const { return m_results; }
    QTableWidget* signaturesTable() const { return m_signatures; }
    QLabel* verdictLabel() const { return m_verdict; }
    QPlainTextEdit* notesBox() const { return m_notes; }

    // Changes the dossier as one undoable edit named `text`; nothing when the change changes nothing.
    void edit(const QString& text, const std::function<void(Dossier&)>& change);
    // The state an undo or a redo restores.
    void restore(const Dossier& dossier);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildMethodPage();
    QWidget* buildStudiesPage();
    QWidget* buildCriteriaPage();
    QWidget* buildResultsPage();
    QWidget* buildSignaturesPage();
    void showDossier();
    void showStudies();
    void showCriteria();
    void showResults();
    void showSignatures();
    void updateTitle();
    void commitMethodField(const QString& key);
    void commitCriterionCell(int row, int column);
    void commitStudyCell(int row, int column);
    void commitSignatureCell(int row, int column);
    bool writeTo(const std::filesystem::path& path);
    std::filesystem::path folder() const;
    Prompts& prompts();

    DossierWindowHost m_host;
    Dossier m_dossier;
    std::filesystem::path m_path;
    std::optional<DossierEvaluation> m_evaluation;
    int m_evaluatedAt = -1;  // the undo index the evaluation belongs to
    bool m_filling = false;  // the tables are being filled: their change signals are not edits
    QUndoStack* m_undo = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::map<QString, QLineEdit*> m_methodFields;
    std::map<QString, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QComboBox* m_purpose = nullptr;
    QTableWidget* m_studies = nullptr;
    QTableWidget* m_criteria = nullptr;
    QTableWidget* m_results = nullptr;
    QTableWidget* m_signatures = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_stale = nullptr;
    QPlainTextEdit* m_notes = nullptr;
};

}  // namespace kestra
