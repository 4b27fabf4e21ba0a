#include "layouttable.h"

#include "colourpicker.h"
#include "limitedtextedit.h"
#include "transparentlabel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace layout {

namespace {

    // Input fields stay black on white whatever the desktop's theme.
    void makeBlackOnWhite(QWidget *field)
    {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        field->setPalette(palette);
    }

    QWidget *buildLabel(QWidget &window, const LabelRow &row)
    {
        auto *label = new TransparentLabel(&window);
        label->setGeometry(row.rect);
        label->setText(QString::fromUtf8(row.text));
        if (row.face) {
            FontRecord font;
            font.face = QString::fromUtf8(row.face);
            font.pixelHeight = row.pixels;
            font.weight = row.weight;
            label->setFontRecord(font);
        }
        label->setTextColour(row.colour);
        label->setCursor(row.cursor);
        label->setPressable(row.pressable);
        return label;
    }

    QWidget *makeControl(QWidget &window, const ControlRow &row)
    {
        const QString text = QString::fromUtf8(row.text);
        switch (row.kind) {
        case Kind::Label: {
            auto *label = new QLabel(&window);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            if (row.options & Centred)
                label->setAlignment(Qt::AlignCenter);
            if (row.options & Framed)
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
            return label;
        }
        case Kind::ComboBox: {
            auto *combo = new QComboBox(&window);
            for (const char *item : row.items)
                combo->addItem(QString::fromUtf8(item));
            combo->setCurrentIndex(row.number);
            return combo;
        }
        case Kind::LineEdit:
            return new QLineEdit(text, &window);
        case Kind::TextEdit: {
            auto *edit = new LimitedTextEdit(row.number, &window);
            edit->setPlainText(text);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            return edit;
        }
        case Kind::Button:
            return new QPushButton(text, &window);
        case Kind::ColourPicker:
            return new ColourPicker(&window);
        }
        return nullptr;
    }

    QWidget *buildControl(QWidget &window, const ControlRow &row)
    {
        QWidget *control = makeControl(window, row);
        control->setGeometry(row.rect);
        if (row.options & Hand)
            control->setCursor(Qt::PointingHandCursor);
        if (row.options & BlackOnWhite)
            makeBlackOnWhite(control);
        return control;
    }

    QObject *buildTimer(QWidget &window, const TimerRow &row)
    {
        auto *timer = new QTimer(&window);
        // A precise timer ticks whole intervals after its own start, so a figure read from the
        // clock once a second neither skips nor repeats values; a coarse one may be off by 5%.
        timer->setTimerType(row.interval <= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        timer->setInterval(row.interval);
        if (row.interval > 0)
            timer->start();
        return timer;
    }

} // namespace

void Controls::missing(const char *name)
{
    qFatal("The window's table has no control named %s of the type its code expects", name);
}

Controls build(QWidget &window, std::span<const Row> rows)
{
    Controls controls;
    for (const Row &row : rows) {
        QObject *made = std::visit(
            [&window](const auto &typed) -> QObject * {
                using Typed = std::decay_t<decltype(typed)>;
                if constexpr (std::is_same_v<Typed, LabelRow>)
                    return buildLabel(window, typed);
                else if constexpr (std::is_same_v<Typed, ControlRow>)
                    return buildControl(window, typed);
                else
                    return buildTimer(window, typed);
            },
            row);
        const char *name = std::visit([](const auto &typed) { return typed.name; }, row);
        made->setObjectName(QString::fromUtf8(name));
        controls.m_made.insert(made->objectName(), made);
    }
    return controls;
}

} // namespace layout
