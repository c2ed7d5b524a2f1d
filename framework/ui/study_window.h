// StudyWindow: what every study window shares (menus, toolbar, status panels, Info and conclusion frames,
// the document commands, edit commands and command enabling); a study's window adds its own frames.
#pragma once

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "framework/document_commands.h"
#include "framework/study.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;

namespace kestra {

class DataGridView;
class StatusPanel;
class StudyWindowHost;

// An entry of the window's "M&etodi" menu; the order is also the order of the study panels.
struct MethodEntry {
    StudyKindId kind;
    QString caption;  // "&Taratura..."
};

struct StudyWindowOptions {
    bool chartPrinting = true;  // "Stampa &grafico..." and the "PrintGraph" button
    std::vector<MethodEntry> methods;
};

// Action names (objectName of each QAction), after the menu paths:
//   FileNuovo FileApri FileSalva FileSalvaNome FileStampa FileStampaGrafico FileImpostaStampante FileChiudi
//   ModificaTaglia ModificaCopia ModificaIncolla ModificaCancella
//   StrumentiCalcola StrumentiFormato
//   Metodi<WindowName> (MetodiSpec, MetodiTara, ...)
//   MnuFinestreTileH MnuFinestreTileV MnuFinestreCascade MnuFinestreArrange
//   GuidaInLinea GuidaMetodo GuidaStatistica GuidaICH GuidaLibro
// The toolbar buttons share the menu actions (toolbarAction("Save") is action("FileSalva")).
//
// A derived window builds its frames in its constructor (createInfoFrame, createConclusionFrame,
// createDataGrid, addTab...) and calls showDocument() at its end.
class StudyWindow : public QMainWindow, public DocumentView {
    Q_OBJECT

public:
    StudyWindow(std::unique_ptr<Study> study, StudyWindowHost& host, const StudyWindowOptions& options,
                QWidget* parent = nullptr);
    ~StudyWindow() override;

    StudyKindId kind() const { return m_study->kindId(); }
    const StudyKind& kindInfo() const { return m_study->kind(); }
    Study& study() { return *m_study; }
    const Study& study() const { return *m_study; }
    StudyWindowHost& host() { return m_host; }
    Prompts& prompts();
    DocumentCommands& commands() { return m_commands; }

    // --- commands (the menu items and toolbar buttons run these)
    void newDocument();
    bool openStudyFile();
    bool openStudyFile(const QString& path);  // without the dialog (a file named on the command line)
    bool saveStudyFile();
    bool saveStudyFileAs();
    // The close step: asks about unsaved data; true when the window may close (closeEvent uses it).
    bool closeDocument();
    // The study's calculation ("&Calcola", "Sum"), then the results shown.
    void calculate();
    // "&Setup formato numeri..." and a double click on the "StatusBar" panel.
    void editNumberFormat();
    void printReport();
    void printCharts();
    // Runs the calculation first when the data changed since the last one; false when it was refused.
    bool ensureResultsCurrent();
    // Edit commands on the control with the focus: a data grid or a text field.
    void cut();
    void copy();
    void paste();
    void clearSelection();

    // The host calls it whenever the window becomes the active one: refreshes the study panels and lets a
    // charted window place its charts.
    void activated();
    // RefreshStudyPanels: sunken for open kinds, raised for the others.
    void refreshStudyPanels();

    // --- DocumentView
    void showDocument() override;
    void enableDocumentCommands(bool enabled) override;
    bool documentCommandsEnabled() const { return m_commandsEnabled; }

    // --- parts, for the host and the tests
    QAction* action(const QString& name) const;           // by menu-path name, nullptr when absent
    QAction* toolbarAction(const QString& key) const;     // by toolbar key, nullptr when absent
    QList<QMenu*> menus() const;                          // File, Modifica, Strumenti, Metodi, Finestre, ?
    QMenu* editMenu() const { return m_editMenu; }
    QToolBar* toolBar() const { return m_toolBar; }
    StatusPanel* statusPanel(const QString& key) const;   // "DescrBar", "StatusBar", or a panel key ("Tara")
    const std::vector<DataGridView*>& dataGrids() const { return m_grids; }
    DataGridView* dataGrid() const { return m_grids.empty() ? nullptr : m_grids.front(); }
    QLineEdit* headerField(int index) const;              // nullptr for a field the study lacks
    QPlainTextEdit* conclusionBox() const { return m_conclusion; }
    QTabWidget* tabs() const { return m_tabs; }

protected:
    // Shows the study's own controls (dimensions, options, results) after showDocument() did the shared ones.
    virtual void showStudyData() = 0;
    // The window became active; charted windows place their charts here.
    virtual void windowActivated() {}
    // The number format changed (grids already reformatted).
    virtual void numberFormatChanged() {}

    // --- building blocks for the derived window
    QWidget* addTab(const QString& title);                // a page of the tab control with the painted bands
    QGroupBox* createInfoFrame();                         // "Info" with the study's header fields
    QGroupBox* createConclusionFrame();                   // "Conclusioni" with cConcl
    DataGridView* createDataGrid(DataGrid& grid, QWidget* parent = nullptr);
    // The DescrBar text while the mouse is over a widget.
    void setDescription(QWidget* area, const QString& text);
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* toolsMenu() const { return m_toolsMenu; }
    // Marks the document modified (IsModify) from an edit of the derived window's controls.
    void markModified() { m_study->setModify(true); }

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus(const StudyWindowOptions& options);
    void buildToolBar(const StudyWindowOptions& options);
    void buildStatusBar(const StudyWindowOptions& options);
    QAction* makeAction(const QString& name, const QString& text);
    void updatePasteEnabled();
    void fillWindowsMenu();
    void studyPanelClicked(StudyKindId kind);
    void showNumberFormatPanel();
    void gridEdited();

    std::unique_ptr<Study> m_study;
    StudyWindowHost& m_host;
    DocumentCommands m_commands;
    bool m_commandsEnabled = true;

    QTabWidget* m_tabs = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_methodsMenu = nullptr;
    QMenu* m_windowsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_windowListSeparator = nullptr;
    std::map<QString, QAction*> m_actions;
    std::map<QString, QAction*> m_toolbarActions;
    std::map<QString, StatusPanel*> m_panels;
    std::vector<std::pair<StudyKindId, StatusPanel*>> m_studyPanels;
    std::vector<DataGridView*> m_grids;
    std::vector<QLineEdit*> m_headerFields;
    QPlainTextEdit* m_conclusion = nullptr;
    std::map<QObject*, QString> m_descriptions;
};

}  // namespace kestra
