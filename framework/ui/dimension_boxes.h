// The dimension boxes of a study window ("N. determinazioni", "N. gruppi", "N. serie" ...): what a count
// typed into one does to the grids, its undo step, and what leaving it with a count out of range does.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace kestra {

class DataGrid;
class StudyWindow;

// A dimension box: two digits at most, right-aligned, its range as tooltip ("min. 3, max. 99"), as wide as
// widthSample.
QLineEdit* NewDimensionEdit(QWidget* parent, const QString& objectName, const QString& range,
                            const QString& widthSample = QStringLiteral("0000"));

// The grids a window's boxes shape, and how the values cut off by a smaller count come back.
struct DimensionGrids {
    std::function<std::vector<DataGrid*>()> grids{};
    // An empty cell of the snapshot is written back too (false: only cells that held a number, for studies
    // whose new cells are 0 once the dimension is applied).
    bool restoreEmpty = true;
    bool skipLocked = false;  // locked cells are the study's own (beyond a group's size)
    bool headings = false;    // the column headings come back too (the calibration concentrations)
    std::function<void()> afterRestore{};  // the study's own set-up once the values are back
};

struct DimensionBox {
    QLineEdit* edit = nullptr;
    // The study's setter: false when it refuses the count (out of range), nothing changed then.
    std::function<bool(int)> apply{};
    // Whether the box may be left holding this count.
    std::function<bool(int)> valid{};
    // Leaving with a count that is not valid, one of two ways:
    // a default count typed back as an edit (an undo step, the values come back) ...
    std::optional<int> defaultCount{};
    // ... or, with a beep, the count the grid has (current), the grid set to it again (reapply) unchanged.
    std::function<int()> current{};
    std::function<void(int shown)> reapply{};
    bool selectTwoDigits = false;  // the box keeps the focus with its first two digits selected, not all
};

// Takes the grids' values when a box gets the focus; every count typed while it keeps the focus starts from
// them again, so values cut off by a smaller count come back when it grows. Each change is an undo step of
// the window. Switching to another program or opening a menu is not leaving the box.
class DimensionBoxes : public QObject {
public:
    DimensionBoxes(StudyWindow& window, DimensionGrids grids, std::vector<DimensionBox> boxes);

    // What typing text into box index does (also the effect of a key in the box).
    void edited(std::size_t index, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Snapshot {
        std::vector<std::vector<std::vector<std::optional<double>>>> cells;  // grid, row, column
        std::vector<std::vector<std::string>> headings;                      // grid, column
    };
    void takeSnapshot();
    void restoreSnapshot();
    void left(std::size_t index);

    StudyWindow& m_window;
    DimensionGrids m_grids;
    std::vector<DimensionBox> m_boxes;
    std::optional<Snapshot> m_onEntry;
};

}  // namespace kestra
