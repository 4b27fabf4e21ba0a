#include "editorwindow.h"

#include "runtime/runtime.h"
#include "widgets/colourpicker.h"
#include "widgets/layouttable.h"
#include "windows/countdown/countdownwindow.h"
#include "windows/windowhost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <iterator>

namespace {

using layout::ControlRow;
using layout::Kind;
using layout::Plain;

// Points, as the items of 组合框2 show them and the handler reads them by position.
const char *const kSizeItems[] = { "48", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22",
    "24", "26", "28", "36" };

// clang-format off
const layout::Row kControls[] = {
//               name            kind                rect                  text                    items        selected options
    ControlRow { "组合框2",     Kind::ComboBox,     { 56,  56,  72, 20}, nullptr,                kSizeItems,   0, Plain },
    ControlRow { "标签4",       Kind::Label,        {  0,  56,  56, 24}, "字体大小",             {},          -1, Plain },
    ControlRow { "编辑框1",     Kind::LineEdit,     {  0, 152, 160, 32}, "",                     {},          -1, Plain },
    ControlRow { "标签2",       Kind::Label,        {  0, 128, 128, 16}, "加入自己想看到的文字", {},          -1, Plain },
    ControlRow { "按钮1",       Kind::Button,       {208, 168, 104, 32}, "确定",                 {},          -1, Plain },
    ControlRow { "标签1",       Kind::Label,        {  0,  24, 112, 16}, "需要更改的文字",       {},          -1, Plain },
    ControlRow { "组合框1",     Kind::ComboBox,     {112,  24, 112, 20}, nullptr,                {},          -1, Plain },
    ControlRow { "颜色选择器1", Kind::ColourPicker, {232,  24,  72, 24}, nullptr,                {},          -1, Plain },
};
// clang-format on

} // namespace

EditorWindow::EditorWindow(WindowHost &host)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), m_host(host)
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowTitle(QStringLiteral("颜色编辑器"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(340, 244);
    move(50, 50);

    const layout::Controls controls = layout::build(*this, kControls);
    m_labelChoice = controls.get<QComboBox>("组合框1");
    m_sizeChoice = controls.get<QComboBox>("组合框2");
    m_customText = controls.get<QLineEdit>("编辑框1");
    m_colourPicker = controls.get<ColourPicker>("颜色选择器1");
    auto *apply = controls.get<QPushButton>("按钮1");
    // The list of labels is the board's list of what it lets the editor restyle.
    for (const RestyleTarget &target : kRestyleTargets)
        m_labelChoice->addItem(QString::fromUtf8(target.caption));
    m_labelChoice->setCurrentIndex(-1);
    m_colourPicker->setChooser(
        [&host](const QColor &initial, QWidget &owner, Runtime::ColourChosen chosen) {
            host.runtime().chooseColour(owner, initial, std::move(chosen));
        });

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
    if (choice < 0 || choice >= int(std::size(kRestyleTargets)))
        return;
    // The user may have switched to the mini board, which has no labels to restyle.
    CountdownWindow *board = m_host.largeBoard();
    if (!board)
        return;
    const int size = m_sizeChoice->currentIndex();
    std::optional<int> points;
    if (size >= 0 && size < int(std::size(kSizeItems)))
        points = std::atoi(kSizeItems[size]);
    board->restyle(std::size_t(choice), m_customText->text(), m_colourPicker->colour(), points);
}
