#include "editorwindow.h"

#include "widgets/colourpicker.h"
#include "windows/countdown/countdownwindow.h"
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
// One item per CountdownWindow::Target, in its order.
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
// clang-format on

// Points, one per item of 组合框2, in its order.
constexpr int kSizePoints[] = { 48, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36 };

static_assert(CountdownWindow::kTargetCount == std::size(kLabelItems));
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
    if (choice < 0 || choice >= int(CountdownWindow::kTargetCount))
        return;
    // The user may have switched to the mini board, which has no labels to restyle.
    auto *board = qobject_cast<CountdownWindow *>(m_windows.window(WindowKind::Countdown));
    if (!board)
        return;

    const auto target = CountdownWindow::Target(choice);
    if (target == CountdownWindow::Target::CustomText)
        board->setCustomText(m_customText->text());
    const int size = m_sizeChoice->currentIndex();
    std::optional<int> points;
    if (size >= 0 && size < int(std::size(kSizePoints)))
        points = kSizePoints[size];
    board->restyle(target, m_colourPicker->colour(), points);
}
