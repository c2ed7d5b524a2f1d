// The study window's edit history: the undo stack's steps, recorded from the grids and the window's own
// controls.
#include <QTabWidget>
#include <QUndoStack>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/study_window.h"

namespace kestra {

namespace {

bool sameGrid(const DataGrid& a, const DataGrid& b)
{
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount()) return false;
    for (int c = 0; c < a.columnCount(); ++c)
        if (a.columnHeader(c) != b.columnHeader(c)) return false;
    for (int r = 0; r < a.rowCount(); ++r) {
        if (a.rowHeader(r) != b.rowHeader(r)) return false;
        for (int c = 0; c < a.columnCount(); ++c)
            if (a.enteredCell(r, c) != b.enteredCell(r, c) || a.isLocked(r, c) != b.isLocked(r, c))
                return false;
    }
    return true;
}

bool sameState(const EditState& a, const EditState& b)
{
    if (a.dimensions != b.dimensions || a.grids.size() != b.grids.size()) return false;
    for (std::size_t i = 0; i < a.grids.size(); ++i)
        if (!sameGrid(a.grids[i], b.grids[i])) return false;
    return true;
}

// One step of a window's undo stack: the state before and after a change of the data.
class EditCommand : public QUndoCommand {
public:
    EditCommand(StudyWindow& window, EditState before, EditState after, int mergeKey)
        : m_window(window), m_before(std::move(before)), m_after(std::move(after)), m_mergeKey(mergeKey)
    {
    }
    void undo() override { m_window.restoreState(m_before); }
    void redo() override
    {
        // pushing a change that has already happened runs redo once: nothing to do then
        if (m_done) m_window.restoreState(m_after);
        m_done = true;
    }
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != id()) return false;
        m_after = static_cast<const EditCommand*>(other)->m_after;
        // typed back to where it started: no step at all
        setObsolete(sameState(m_before, m_after));
        return true;
    }

private:
    StudyWindow& m_window;
    EditState m_before;
    EditState m_after;
    int m_mergeKey;
    bool m_done = false;
};

}  // namespace

// --- the undo stack

StudyWindow::EditRecorder::EditRecorder(StudyWindow& window)
    : m_window(window), m_before(window.captureState())
{
}

StudyWindow::EditRecorder::~EditRecorder()
{
    if (sameState(m_before, m_window.captureState())) return;
    m_window.pushEdit(std::move(m_before), m_window.m_focusSession);
    m_window.dataEdited();
}

EditState StudyWindow::captureState() const
{
    EditState state;
    for (const DataGridView* g : m_grids) state.grids.push_back(g->grid());
    state.dimensions = dimensionValues();
    return state;
}

void StudyWindow::restoreState(const EditState& state)
{
    if (!state.dimensions.empty() && state.dimensions != dimensionValues())
        restoreDimensions(state.dimensions);
    for (std::size_t i = 0; i < m_grids.size() && i < state.grids.size(); ++i) {
        DataGrid& grid = m_grids[i]->grid();
        const NumberFormat format = grid.format();  // a format chosen since stays
        grid = state.grids[i];
        grid.setFormat(format);
        grid.setChanged(true);
    }
    m_study->setResultsCurrent(false);
    showDocument();
    enableDocumentCommands(true);
}

void StudyWindow::pushEdit(EditState before, int mergeKey)
{
    m_undo->push(new EditCommand(*this, std::move(before), captureState(), mergeKey));
}

void StudyWindow::undoOrRedo(bool undo)
{
    if (!commitPendingEdits()) return;
    if (undo)
        m_undo->undo();
    else
        m_undo->redo();
}

void StudyWindow::gridAboutToEdit()
{
    // taken again before every operation: one that changed nothing leaves no stale state behind
    m_gridEditBefore = captureState();
}

void StudyWindow::gridEdited()
{
    if (m_gridEditBefore) {
        EditState before = std::move(*m_gridEditBefore);
        m_gridEditBefore.reset();
        if (!sameState(before, captureState())) pushEdit(std::move(before), -1);
    }
    enableDocumentCommands(true);
    dataEdited();
}

}  // namespace kestra
