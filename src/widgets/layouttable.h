#pragma once

#include "colour.h"
#include "fontrecord.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <span>
#include <variant>

class QWidget;

// A window's controls as a table: one row per control, built in the order of the rows (later
// widgets lie on top of earlier ones).
namespace layout {

// A caption drawn straight onto a board's picture (a TransparentLabel).
struct LabelRow
{
    const char *name;
    QRect rect;
    const char *text;
    const char *face; // nullptr: no font of its own; "": the standard face
    int pixels;
    int weight;
    Colour colour;
    Qt::CursorShape cursor;
    bool pressable;
};

enum class Kind { Label, ComboBox, LineEdit, TextEdit, Button, ColourPicker };
enum Option { Plain = 0, Centred = 1, Framed = 2, Hand = 4, BlackOnWhite = 8 };

// A standard control. A text edit is a LimitedTextEdit without scroll bars.
struct ControlRow
{
    const char *name;
    Kind kind;
    QRect rect;
    const char *text; // the caption of a label or a button, the text of a field
    std::span<const char *const> items; // a combo box's
    int number; // a combo box's selected item (-1: none); a text edit's most characters
    int options;
};

// A timer; interval in ms. Interval 0 builds it stopped, any other starts it.
struct TimerRow
{
    const char *name;
    int interval;
};

using Row = std::variant<LabelRow, ControlRow, TimerRow>;

// What build() made, for the window to keep under role names.
class Controls
{
public:
    // The control built from the row named `name`; a name the table lacks, or a control of
    // another type, is a fault in the window's code and ends the program at once.
    template <typename Control> Control *get(const char *name) const
    {
        auto *control = qobject_cast<Control *>(m_made.value(QString::fromUtf8(name)));
        if (!control)
            missing(name);
        return control;
    }

private:
    friend Controls build(QWidget &window, std::span<const Row> rows);
    [[noreturn]] static void missing(const char *name);

    QHash<QString, QObject *> m_made;
};

// Builds the rows' controls as children of `window`, each with its row's name as objectName.
Controls build(QWidget &window, std::span<const Row> rows);

} // namespace layout
