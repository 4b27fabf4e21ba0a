#include "editorwindow.h"

#include "widgets/colourpicker.h"
#include "widgets/transparentlabel.h"
#include "windows/windowopener.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>
#include <span>

namespace {

enum class Kind { Label, ComboBox, LineEdit, Button, ColourPicker };

struct ControlRow
{
    const char *name;
    Kind kind;
    QRect rect;
    const char *text; // caption of a label or a button
    std::span<const char *const> items;
    int selected; // position of the selected item, -1 for none
};

// The handler below maps positions in these lists, never their texts.
const char *const kSizeItems[] = { "48", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22",
    "24", "26", "28", "36" };
const char *const kLabelItems[] = { "距离高考仅剩", "天！", "总计", "天数", "小时数", "自定义字体",
    "现在时间", "时" };

// clang-format off
const ControlRow kControls[] = {
//    name            kind                rect                  text                    items        selected
    { "组合框2",     Kind::ComboBox,     { 56,  56,  72, 20}, nullptr,                kSizeItems,   0 },
    { "标签4",       Kind::Label,        {  0,  56,  56, 24}, "字体大小",             {},          -1 },
    { "编辑框1",     Kind::LineEdit,     {  0, 152, 160, 32}, "",                     {},          -1 },
    { "标签2",       Kind::Label,        {  0, 128, 128, 16}, "加入自己想看到的文字", {},          -1 },
    { "按钮1",       Kind::Button,       {208, 168, 104, 32}, "确定",                 {},          -1 },
    { "标签1",       Kind::Label,        {  0,  24, 112, 16}, "需要更改的文字",       {},          -1 },
    { "组合框1",     Kind::ComboBox,     {112,  24, 112, 20}, nullptr,                kLabelItems, -1 },
    { "颜色选择器1", Kind::ColourPicker, {232,  24,  72, 24}, nullptr,                {},          -1 },
};

struct TargetRow
{
    const char* label; // on the large board
    bool writesCaption;
    bool writesSize;
};

// One row per item of 组合框1, in its order.
const TargetRow kTargets[] = {
//    label          caption size
    { "透明标签1",  false,  true  }, // heading
    { "透明标签3",  false,  true  }, // "天！"
    { "透明标签5",  false,  true  }, // "总计"
    { "透明标签2",  false,  true  }, // days figure
    { "透明标签4",  false,  true  }, // hours figure
    { "透明标签10", true,   true  }, // custom text
    { "透明标签11", false,  false }, // clock line
    { "透明标签7",  false,  true  }, // "时"
};
// clang-format on

// Points, one per item of 组合框2, in its order.
constexpr int kSizePoints[] = { 48, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36 };

static_assert(std::size(kTargets) == std::size(kLabelItems));
static_assert(std::size(kSizePoints) == std::size(kSizeItems));

QWidget *createControl(const ControlRow &row, QWidget *parent)
{
    switch (row.kind) {
    case Kind::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(QString::fromUtf8(row.text));
        return label;
    }
    case Kind::ComboBox: {
        auto *combo = new QComboBox(parent);
        for (const char *item : row.items)
            combo->addItem(QString::fromUtf8(item));
        combo->setCurrentIndex(row.selected);
        return combo;
    }
    case Kind::LineEdit: {
        auto *edit = new QLineEdit(parent);
        edit->setText(QString::fromUtf8(row.text));
        return edit;
    }
    case Kind::Button: {
        auto *button = new QPushButton(parent);
        button->setText(QString::fromUtf8(row.text));
        return button;
    }
    case Kind::ColourPicker:
        return new ColourPicker(parent);
    }
    return nullptr;
}

} // namespace

EditorWindow::EditorWindow(WindowOpener &windows)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), m_windows(windows)
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowTitle(QStringLiteral("颜色编辑器"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(340, 244);
    move(50, 50);

    for (const ControlRow &row : kControls) {
        QWidget *created = createControl(row, this);
        created->setObjectName(QString::fromUtf8(row.name));
        created->setGeometry(row.rect);
    }
    m_labelChoice = control<QComboBox>("组合框1");
    m_sizeChoice = control<QComboBox>("组合框2");
    m_customText = control<QLineEdit>("编辑框1");
    m_colourPicker = control<ColourPicker>("颜色选择器1");
    auto *apply = control<QPushButton>("按钮1");

    // Tab through the form as it reads, top to bottom, rather than in the order of the table.
    setTabOrder(m_labelChoice, m_colourPicker);
    setTabOrder(m_colourPicker, m_sizeChoice);
    setTabOrder(m_sizeChoice, m_customText);
    setTabOrder(m_customText, apply);
    m_labelChoice->setFocus();

    connect(apply, &QPushButton::clicked, this, &EditorWindow::onApplyClicked);
}

void EditorWindow::onApplyClicked()
{
    const int choice = m_labelChoice->currentIndex();
    if (choice < 0 || choice >= int(std::size(kTargets)))
        return;
    const TargetRow &row = kTargets[choice];
    // The user may have switched to the mini board, which has no labels to restyle.
    QWidget *board = m_windows.window(WindowKind::Countdown);
    auto *target =
        board ? board->findChild<TransparentLabel *>(QString::fromUtf8(row.label)) : nullptr;
    if (!target)
        return;

    if (row.writesCaption)
        target->setText(m_customText->text());
    target->setTextColour(m_colourPicker->colour());
    const int size = m_sizeChoice->currentIndex();
    if (row.writesSize && size >= 0 && size < int(std::size(kSizePoints)))
        target->setCharacterHeight(
            FontRecord::pixelsForPoints(kSizePoints[size], target->logicalDpiY()));
}
