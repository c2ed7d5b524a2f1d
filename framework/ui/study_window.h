// StudyWindow: what every study window shares (menus, toolbar, status panels, Info and conclusion frames,
// the document commands, edit commands and command enabling); a study's window adds its own frames.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "framework/document_commands.h"
#include "framework/study.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableWidget;
class QTabWidget;
class QToolBar;
class QUndoStack;

namespace kestra {

class DataGridView;
class ExtendedStatisticsView;
class StatusPanel;
class StudyWindowHost;

// An entry of the window's "M&etodi" menu; the order is also the order of the study panels.
struct MethodEntry {
    StudyKindId kind;
    QString caption;  // "&Taratura..."
};

struct StudyWindowOptions {
    bool chartPrinting = true;         // "Stampa &grafico..." and the "PrintGraph" button
    std::vector<MethodEntry> methods;  // empty: the six other kinds in the usual order (MethodEntries)
};

// The "M&etodi" menu every study window shows: the other six kinds, in one fixed order.
std::vector<MethodEntry> MethodEntries(StudyKindId self);

// What the undo stack restores: the grids (values, headings, locks) and the window's dimensions.
struct EditState {
    std::vector<DataGrid> grids;
    std::vector<int> dimensions;
};

// Action names (objectName of each QAction), after the menu paths:
//   FileNuovo FileApri FileSalva FileSalvaNome FileStampa FileStampaGrafico FileImpostaStampante FileChiudi
//   ModificaTaglia ModificaCopia ModificaIncolla ModificaCancella ModificaAnnulla ModificaRipeti
//   StrumentiCalcola StrumentiFormato
//   SchedaSeguente SchedaPrecedente (Ctrl+PgDn, Ctrl+PgUp: no menu item)
//   Metodi<WindowName> (MetodiSpec, MetodiTara, ...)
//   MnuFinestreTileH MnuFinestreTileV MnuFinestreCascade MnuFinestreArrange
//   GuidaInLinea GuidaMetodo GuidaStatistica GuidaICH GuidaLibro
// The toolbar buttons share the menu actions (toolbarAction("Save") is action("FileSalva")).
//
// A derived window builds its frames in its constructor (createInfoFrame, createConclusionFrame,
// createDataGrid, addTab...) and calls showDocument() at its end; that first call adds the page
// "Statistica estesa" after the window's own.
class StudyWindow : public QMainWindow, public DocumentView {
    Q_OBJECT

public:
    StudyWindow(std::unique_ptr<Study> study, StudyWindowHost& host, const StudyWindowOptions& options,
                QWidget* parent = nullptr);
    ~StudyWindow() override;

    StudyKindId kind() const { return m_study->kindId(); }
    const StudyKind& kindInfo() const { return m_study->kind(); }
    // The title without the modified mark: kind and file ("Limiti - no file").
    QString documentTitle() const;
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
    // "Cronologia del file..." (the audit trail's entries of this study's file) and "Registro delle
    // modifiche..." (the whole trail).
    void showFileHistory(bool thisFile);
    // Runs the calculation first when the data changed since the last one; false when it was refused.
    bool ensureResultsCurrent();
    // Confirms the cells being typed in; false when one was refused (its editor stays open, the warning
    // shown).
    bool commitPendingEdits();
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
    bool openInItsOwnWindow(const std::filesystem::path& path, StudyKindId kind) override;
    bool documentCommandsEnabled() const { return m_commandsEnabled; }

    // --- parts, for the host and the tests
    QAction* action(const QString& name) const;        // by menu-path name, nullptr when absent
    QAction* toolbarAction(const QString& key) const;  // by toolbar key, nullptr when absent
    QList<QMenu*> menus() const;                       // File, Modifica, Strumenti, Metodi, Finestre, ?
    QMenu* editMenu() const { return m_editMenu; }
    QToolBar* toolBar() const { return m_toolBar; }
    StatusPanel* statusPanel(const QString& key) const;  // "DescrBar", "StatusBar", or a panel key ("Tara")
    const std::vector<DataGridView*>& dataGrids() const { return m_grids; }
    DataGridView* dataGrid() const { return m_grids.empty() ? nullptr : m_grids.front(); }
    QLineEdit* headerField(int index) const;  // nullptr for a field the study lacks
    QPlainTextEdit* conclusionBox() const { return m_conclusion; }
    QTabWidget* tabs() const { return m_tabs; }
    // "Statistica estesa", the last page of every study window (made by the first showDocument()).
    ExtendedStatisticsView* extendedStatisticsView() const { return m_extended; }
    QUndoStack* undoStack() const { return m_undo; }
    // "Risultati non aggiornati: premere Calcola", shown while the results do not belong to the data.
    QLabel* staleNotice() const { return m_staleNotice; }
    // Whether the result controls are shown greyed (the results are not current).
    bool resultsShownStale() const { return m_resultsShownStale; }

    // --- undo: the state the stack records and restores
    EditState captureState() const;
    void restoreState(const EditState& state);
    // Records one change of the window's own controls as a step of the undo stack: construct before the
    // change, let it go after. Changes made while one control keeps the focus merge into one step.
    class EditRecorder {
    public:
        explicit EditRecorder(StudyWindow& window);
        ~EditRecorder();
        EditRecorder(const EditRecorder&) = delete;
        EditRecorder& operator=(const EditRecorder&) = delete;

    private:
        StudyWindow& m_window;
        EditState m_before;
    };

protected:
    // Shows the study's own controls (dimensions, options, results) after showDocument() did the shared ones.
    virtual void showStudyData() = 0;
    // The window became active; charted windows place their charts here.
    virtual void windowActivated() {}
    // The number format changed (grids already reformatted).
    virtual void numberFormatChanged() {}
    // The window's dimensions (counts of its dimension boxes) and how an undo puts them back; the grids are
    // restored afterwards, so restoring only has to bring the study's counts to these values.
    virtual std::vector<int> dimensionValues() const { return {}; }
    virtual void restoreDimensions(const std::vector<int>&) {}

    // --- building blocks for the derived window
    QWidget* addTab(const QString& title);  // a page of the tab control with the painted bands
    QGroupBox* createInfoFrame();           // "Info" with the study's header fields
    QGroupBox* createConclusionFrame();     // "Conclusioni" with cConcl
    // A page of one column of data: Info, dimensions and results on the left, the data frame on the right
    // (with dataStretch against the left's 3), the conclusions below.
    void layOutDataPage(QWidget* page, QWidget* dimensions, QWidget* results, QWidget* dataFrame,
                        int dataStretch);
    DataGridView* createDataGrid(DataGrid& grid, QWidget* parent = nullptr);
    // The results frame: a group box with its content area and, below it, the notice shown while the
    // results are not current. The window lays out its result controls in content.
    struct ResultsFrame {
        QGroupBox* frame = nullptr;
        QWidget* content = nullptr;
    };
    ResultsFrame createResultsFrame(const QString& title, QWidget* parent);
    // A result value: a sunken white box whose text the user can select; wide enough for sample, greyed
    // while the results are not current.
    QLabel* createValueLabel(const QString& name, QWidget* parent, const QString& sample,
                             Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
    // A read-only results table (analysis of variance, series means): no headers, no editing, no focus.
    QTableWidget* createResultTable(const QString& name, int rows, int columns, QWidget* parent);
    // Any other control showing results, greyed with them.
    void addResultWidget(QWidget* widget);
    // A change the window made to the study's data (a dimension, an option): results no longer current.
    void dataEdited();
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
    void gridAboutToEdit();
    void pushEdit(EditState before, int mergeKey);
    void showResultsState();
    void updateModifiedMark();
    void switchTab(int step);
    void undoOrRedo(bool undo);

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
    QUndoStack* m_undo = nullptr;
    std::optional<EditState> m_gridEditBefore;
    int m_focusSession = 0;  // a new value at every focus change: edits within one merge into one undo step
    QLabel* m_staleNotice = nullptr;
    std::vector<QWidget*> m_resultWidgets;
    bool m_resultsShownStale = false;
    ExtendedStatisticsView* m_extended = nullptr;
};

}  // namespace kestra
