#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "widgets/colourpicker.h"
#include "widgets/transparentlabel.h"
#include "windowsfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

namespace {

// The large board's labels that the editor can restyle, in the order of the label choice.
const QStringList kTargets{ "透明标签1", "透明标签3", "透明标签5", "透明标签2", "透明标签4",
    "透明标签10", "透明标签11", "透明标签7" };

// Everything a user can see of a label, as one comparable line.
QString look(const TransparentLabel *label)
{
    const auto record = label->fontRecord();
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(label->objectName(), label->text(),
            label->palette().color(QPalette::WindowText).name(),
            QString::number(label->textColour().value(), 16), label->font().toString(),
            record ? QString::number(record->pixelHeight) : QStringLiteral("-"));
}

QStringList looks(const QWidget *board)
{
    QStringList all;
    for (const TransparentLabel *label : board->findChildren<TransparentLabel *>())
        all << look(label);
    return all;
}

} // namespace

class TestEditorWindow : public WindowsFixture
{
    Q_OBJECT
public:
    TestEditorWindow() : WindowsFixture({ WindowKind::Countdown, WindowKind::Editor }) { }

private slots:
    void cleanup();

    void window();
    void layout_data();
    void layout();
    void initialState();
    void hoursFigureOpensTheEditor();
    void targets_data();
    void targets();
    void sizes_data();
    void sizes();
    void edgeCases_data();
    void edgeCases();
    void nothingChosenChangesNothing_data();
    void nothingChosenChangesNothing();
    void editedColourSurvivesTheNextTick();
    void defaultColourIsThePlatformTextColour();
    void clickWithoutLargeBoardDoesNothing();
    void newLargeBoardHasTheDesignLook();
    void closingKeepsTheBoardAndReopeningStartsAfresh();
    void pickerShowsTheDefaultColour();
    void pickerAsksFromTheCurrentColour();

private:
    template <typename Control> Control *editorControl(const char *name) const
    {
        return m_window->findChild<Control *>(QString::fromUtf8(name));
    }
    TransparentLabel *boardLabel(const QString &name) const
    {
        return controlOf<TransparentLabel>(*m_windows, WindowKind::Countdown, qUtf8Printable(name));
    }
    ColourPicker *picker() const { return editorControl<ColourPicker>("颜色选择器1"); }
    void choose(int label, int size, const QString &text, Colour colour);
    void clickApply();
    QStringList editorState() const;
    int dpi() const { return boardLabel(QStringLiteral("透明标签1"))->logicalDpiY(); }

    QWidget *board() const { return m_windows->window(WindowKind::Countdown); }
};

void TestEditorWindow::cleanup()
{
    WindowsFixture::cleanup();
    // A test that changes the application's palette leaves it changed if it fails.
    QApplication::setPalette(QPalette());
}

void TestEditorWindow::choose(int label, int size, const QString &text, Colour colour)
{
    editorControl<QComboBox>("组合框1")->setCurrentIndex(label);
    editorControl<QComboBox>("组合框2")->setCurrentIndex(size);
    editorControl<QLineEdit>("编辑框1")->setText(text);
    picker()->setColour(colour);
}

void TestEditorWindow::clickApply()
{
    const QStringList before = editorState();
    QTest::mouseClick(editorControl<QPushButton>("按钮1"), Qt::LeftButton);
    // The editor stays open as the user left it.
    QCOMPARE(m_windows->window(WindowKind::Editor), m_window);
    QVERIFY(m_window->isVisible());
    QCOMPARE(editorState(), before);
    QVERIFY(m_runtime->messages.isEmpty());
}

QStringList TestEditorWindow::editorState() const
{
    return { QString::number(editorControl<QComboBox>("组合框1")->currentIndex()),
        QString::number(editorControl<QComboBox>("组合框2")->currentIndex()),
        editorControl<QLineEdit>("编辑框1")->text(),
        QString::number(picker()->colour().value(), 16) };
}

void TestEditorWindow::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("EditorWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("颜色编辑器"));
    // The frame goes around the 340 x 244 client area; its corner is at the design position.
    QCOMPARE(m_window->frameGeometry().topLeft(), QPoint(50, 50));
    QCOMPARE(m_window->size(), QSize(340, 244));
    QVERIFY(m_window->frameGeometry() != m_window->geometry());
    QCOMPARE(m_window->minimumSize(), QSize(340, 244));
    QCOMPARE(m_window->maximumSize(), QSize(340, 244));
    QCOMPARE(m_window->windowType(), Qt::Window);
    QVERIFY(!(m_window->windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(m_window->parentWidget(), nullptr);
    QCOMPARE(m_window->windowModality(), Qt::NonModal);
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!m_window->testAttribute(Qt::WA_SetWindowIcon));
    QVERIFY(!m_window->autoFillBackground());
    QVERIFY(m_window->isVisible());

    QStringList order;
    for (QObject *child : m_window->children()) {
        if (child->isWidgetType())
            order << child->objectName();
    }
    QCOMPARE(order,
        QStringList({ "组合框2", "标签4", "编辑框1", "标签2", "按钮1", "标签1", "组合框1",
            "颜色选择器1" }));
}

void TestEditorWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text"); // a label's or button's caption
    QTest::addColumn<bool>("takesFocus");

    // clang-format off
    QTest::newRow("size choice")  << "组合框2"     << "QComboBox"    << QRect(56, 56, 72, 20)    << "" << true;
    QTest::newRow("size caption") << "标签4"       << "QLabel"       << QRect(0, 56, 56, 24)     << "字体大小" << false;
    QTest::newRow("custom text")  << "编辑框1"     << "QLineEdit"    << QRect(0, 152, 160, 32)   << "" << true;
    QTest::newRow("text caption") << "标签2"       << "QLabel"       << QRect(0, 128, 128, 16)   << "加入自己想看到的文字" << false;
    QTest::newRow("apply")        << "按钮1"       << "QPushButton"  << QRect(208, 168, 104, 32) << "确定" << true;
    QTest::newRow("label caption")<< "标签1"       << "QLabel"       << QRect(0, 24, 112, 16)    << "需要更改的文字" << false;
    QTest::newRow("label choice") << "组合框1"     << "QComboBox"    << QRect(112, 24, 112, 20)  << "" << true;
    QTest::newRow("colour")       << "颜色选择器1" << "ColourPicker" << QRect(232, 24, 72, 24)   << "默认" << true;
    // clang-format on
}

void TestEditorWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(bool, takesFocus);

    auto *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QVERIFY(control->inherits(kind.toLatin1()));
    QCOMPARE(control->geometry(), rect);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    QCOMPARE(control->focusPolicy() != Qt::NoFocus, takesFocus);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), text);
}

void TestEditorWindow::initialState()
{
    auto *labels = editorControl<QComboBox>("组合框1");
    auto *sizes = editorControl<QComboBox>("组合框2");
    auto itemsOf = [](const QComboBox *combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    };
    QCOMPARE(itemsOf(labels),
        QStringList(
            { "距离高考仅剩", "天！", "总计", "天数", "小时数", "自定义字体", "现在时间", "时" }));
    QCOMPARE(itemsOf(sizes),
        QStringList({ "48", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
            "28", "36" }));
    QCOMPARE(labels->currentIndex(), -1);
    QCOMPARE(sizes->currentIndex(), 0);
    QCOMPARE(sizes->currentText(), QStringLiteral("48"));
    QVERIFY(!labels->isEditable());
    QVERIFY(!sizes->isEditable());
    QVERIFY(editorControl<QLineEdit>("编辑框1")->text().isEmpty());
    QCOMPARE(picker()->colour(), Colour());
    QVERIFY(picker()->colour() != Colour::rgb(0, 0, 0));
}

void TestEditorWindow::hoursFigureOpensTheEditor()
{
    m_windows->destroy(WindowKind::Editor);
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Editor));

    press(board(), QStringLiteral("透明标签4"));
    QWidget *editor = m_windows->window(WindowKind::Editor);
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("EditorWindow"));
    QVERIFY(editor->isVisible());
    press(board(), QStringLiteral("透明标签4"));
    QCOMPARE(m_windows->window(WindowKind::Editor), editor);
    QCOMPARE(m_windows->openCount(), 2);
}

void TestEditorWindow::targets_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("writesSize");
    for (int i = 0; i < kTargets.size(); ++i)
        QTest::addRow("%d %s", i, qPrintable(kTargets[i])) << i << kTargets[i] << (i != 6);
}

void TestEditorWindow::targets()
{
    QFETCH(int, choice);
    QFETCH(QString, target);
    QFETCH(bool, writesSize);

    TransparentLabel *label = boardLabel(target);
    QVERIFY(label);
    const QString text = label->text();
    const int pixels = label->font().pixelSize();
    QStringList others = looks(board());
    others.removeAll(look(label));

    // "8" is no label's design size, so a size written shows.
    choose(choice, 1, QStringLiteral("xyz"), Colour::rgb(1, 2, 3));
    clickApply();

    QCOMPARE(label->textColour(), Colour::rgb(1, 2, 3));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    QCOMPARE(
        label->font().pixelSize(), writesSize ? FontRecord::pixelsForPoints(8, dpi()) : pixels);
    QCOMPARE(label->text(), choice == 5 ? QStringLiteral("xyz") : text);
    QStringList rest = looks(board());
    rest.removeAll(look(label));
    QCOMPARE(rest, others);
}

void TestEditorWindow::sizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixelsAt96");
    const int points[] = { 48, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36 };
    const int pixels[] = { 64, 11, 12, 13, 15, 16, 19, 21, 24, 27, 29, 32, 35, 37, 48 };
    for (int i = 0; i < 15; ++i)
        QTest::addRow("%d: %d pt", i, points[i]) << i << points[i] << pixels[i];
}

void TestEditorWindow::sizes()
{
    QFETCH(int, size);
    QFETCH(int, points);
    QFETCH(int, pixelsAt96);

    TransparentLabel *total = boardLabel(QStringLiteral("透明标签5"));
    choose(2, size, {}, Colour::rgb(0, 0, 0));
    clickApply();
    QCOMPARE(total->font().pixelSize(), FontRecord::pixelsForPoints(points, dpi()));
    if (dpi() == 96)
        QCOMPARE(total->font().pixelSize(), pixelsAt96);
}

void TestEditorWindow::edgeCases_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("caption"); // "*": left as it was
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixelsAt96");

    // clang-format off
    QTest::newRow("clock line with 8 keeps its size")  << 6 << 1  << "" << "透明标签11" << "*" << 36 << 48;
    QTest::newRow("empty custom text empties it")      << 5 << 5  << "" << "透明标签10" << "" << 12 << 16;
    QTest::newRow("days figure with the first item")   << 3 << 0  << "" << "透明标签2"  << "*" << 48 << 64;
    QTest::newRow("heading with 12")                   << 0 << 5  << "" << "透明标签1"  << "*" << 12 << 16;
    QTest::newRow("custom text stays plain")           << 5 << 0  << "<b>x</b>" << "透明标签10" << "<b>x</b>" << 48 << 64;
    QTest::newRow("custom text is not trimmed")        << 5 << 1  << "  两 边  " << "透明标签10" << "  两 边  " << 8 << 11;
    QTest::newRow("text ignored for other labels")     << 2 << 14 << "xyz" << "透明标签5" << "*" << 36 << 48;
    QTest::newRow("no size chosen keeps the size")     << 4 << -1 << "" << "透明标签4"  << "*" << 48 << 64;
    // clang-format on
}

void TestEditorWindow::edgeCases()
{
    QFETCH(int, choice);
    QFETCH(int, size);
    QFETCH(QString, text);
    QFETCH(QString, target);
    QFETCH(QString, caption);
    QFETCH(int, points);
    QFETCH(int, pixelsAt96);

    // An earlier edit left a text for the custom label.
    choose(5, -1, QStringLiteral("旧的文字"), Colour());
    clickApply();

    TransparentLabel *label = boardLabel(target);
    const QString before = label->text();
    const FontRecord record = *label->fontRecord();
    choose(choice, size, text, Colour::rgb(200, 100, 50));
    clickApply();

    QCOMPARE(label->text(), caption == QLatin1String("*") ? before : caption);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->textColour(), Colour::rgb(200, 100, 50));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(200, 100, 50));
    QCOMPARE(label->font().pixelSize(), FontRecord::pixelsForPoints(points, dpi()));
    if (dpi() == 96)
        QCOMPARE(label->font().pixelSize(), pixelsAt96);
    // Only the height changes: face, weight and the rest are the design's.
    QCOMPARE(label->fontRecord()->face, record.face);
    QCOMPARE(label->fontRecord()->weight, record.weight);
    QCOMPARE(label->font().weight(), QFont::Weight(record.weight));
    QVERIFY(!label->font().italic());
    QCOMPARE(label->font().families(), FontRecord::fallbackFamilies(record.face));
    if (target == QLatin1String("透明标签1")) {
        QCOMPARE(label->font().weight(), QFont::Bold);
        QVERIFY(label->font().families().contains(QStringLiteral("方正稚艺 - Varnel")));
    }
}

void TestEditorWindow::nothingChosenChangesNothing_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Colour>("colour");
    QTest::newRow("as opened") << 0 << "" << Colour();
    QTest::newRow("everything else set") << 1 << "xyz" << Colour::rgb(255, 0, 0);
    QTest::newRow("black and no size") << -1 << "" << Colour::rgb(0, 0, 0);
}

void TestEditorWindow::nothingChosenChangesNothing()
{
    QFETCH(int, size);
    QFETCH(QString, text);
    QFETCH(Colour, colour);

    const QStringList before = looks(board());
    choose(-1, size, text, colour);
    clickApply();
    QCOMPARE(looks(board()), before);
}

void TestEditorWindow::editedColourSurvivesTheNextTick()
{
    TransparentLabel *hours = boardLabel(QStringLiteral("透明标签4"));
    choose(4, 5, {}, Colour::rgb(10, 200, 30));
    clickApply();
    m_runtime->setClock(2015, 6, 1, 9, 0, 0);
    tick(board(), QStringLiteral("时钟1"));
    QCOMPARE(hours->text(), QStringLiteral("135"));
    QCOMPARE(hours->palette().color(QPalette::WindowText), QColor(10, 200, 30));
    QCOMPARE(hours->font().pixelSize(), FontRecord::pixelsForPoints(12, dpi()));
}

void TestEditorWindow::defaultColourIsThePlatformTextColour()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    QApplication::setPalette(palette);
    TransparentLabel *hours = boardLabel(QStringLiteral("透明标签4"));
    choose(4, 0, {}, Colour::rgb(255, 0, 0));
    clickApply();
    choose(4, 0, {}, Colour());
    clickApply();
    QVERIFY(hours->textColour().isDefault());
    QCOMPARE(hours->palette().color(QPalette::WindowText), QColor(10, 20, 30));
}

void TestEditorWindow::clickWithoutLargeBoardDoesNothing()
{
    m_windows->destroy(WindowKind::Countdown);
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Countdown));
    for (int choice = 0; choice < kTargets.size(); ++choice) {
        choose(choice, 1, QStringLiteral("xyz"), Colour::rgb(1, 2, 3));
        clickApply();
    }
    QCOMPARE(m_windows->openCount(), 1);
}

void TestEditorWindow::newLargeBoardHasTheDesignLook()
{
    const QStringList design = looks(board());
    for (int choice = 0; choice < kTargets.size(); ++choice) {
        choose(choice, 1, QStringLiteral("xyz"), Colour::rgb(1, 2, 3));
        clickApply();
    }
    QVERIFY(looks(board()) != design);

    QVERIFY(m_windows->open(WindowKind::Mini));
    m_windows->destroy(WindowKind::Countdown);
    processDeletes();
    QVERIFY(m_windows->open(WindowKind::Countdown));
    m_windows->destroy(WindowKind::Mini);
    processDeletes();
    QCOMPARE(looks(board()), design);

    // The editor, still open, writes to the new board.
    choose(4, 1, {}, Colour::rgb(1, 2, 3));
    clickApply();
    QCOMPARE(boardLabel(QStringLiteral("透明标签4"))->textColour(), Colour::rgb(1, 2, 3));
}

void TestEditorWindow::closingKeepsTheBoardAndReopeningStartsAfresh()
{
    choose(4, 1, QStringLiteral("xyz"), Colour::rgb(1, 2, 3));
    clickApply();
    QWidget *edited = board();
    const QStringList look = looks(edited);

    m_window->close();
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Editor));
    QCOMPARE(board(), edited);
    QCOMPARE(looks(edited), look);

    m_window = m_windows->open(WindowKind::Editor);
    QVERIFY(m_window);
    QCOMPARE(editorState(), QStringList({ "-1", "0", "", QString::number(Colour::kDefault, 16) }));
}

void TestEditorWindow::pickerShowsTheDefaultColour()
{
    ColourPicker *swatch = picker();
    QSignalSpy changed(swatch, &ColourPicker::colourChanged);
    QCOMPARE(swatch->text(), QStringLiteral("默认"));
    const QImage unchosen = swatch->grab().toImage();

    swatch->setColour(Colour::rgb(0, 0, 0));
    QVERIFY(swatch->text().isEmpty());
    const QImage black = swatch->grab().toImage();
    QCOMPARE(black.pixelColor(black.rect().center()), QColor(0, 0, 0));
    QVERIFY(unchosen != black);

    swatch->setColour(Colour::rgb(0, 128, 255));
    const QImage blue = swatch->grab().toImage();
    QCOMPARE(blue.pixelColor(blue.rect().center()), QColor(0, 128, 255));

    swatch->setColour(Colour::rgb(0, 128, 255));
    swatch->setColour(Colour());
    QCOMPARE(swatch->text(), QStringLiteral("默认"));
    QCOMPARE(swatch->grab().toImage(), unchosen);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.last().first().value<Colour>(), Colour());
}

void TestEditorWindow::pickerAsksFromTheCurrentColour()
{
    ColourPicker *swatch = picker();
    m_runtime->colours = { QColor(10, 20, 30), QColor() };
    QSignalSpy changed(swatch, &ColourPicker::colourChanged);

    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(swatch->colour(), Colour());
    m_runtime->answerBoxes();
    QCOMPARE(swatch->colour(), Colour::rgb(10, 20, 30));
    // A cancelled choice keeps the colour.
    QTest::mouseClick(swatch, Qt::LeftButton);
    m_runtime->answerBoxes();
    QCOMPARE(swatch->colour(), Colour::rgb(10, 20, 30));

    QCOMPARE(m_runtime->colourRequests.size(), 2);
    QCOMPARE(m_runtime->colourRequests[0].initial, QColor(0, 0, 0));
    QCOMPARE(m_runtime->colourRequests[1].initial, QColor(10, 20, 30));
    for (const FakeRuntime::ColourRequest &request : m_runtime->colourRequests)
        QCOMPARE(request.owner.data(), swatch->window());
    QCOMPARE(changed.count(), 1);
    // Picking alone restyles nothing on the board.
    QCOMPARE(boardLabel(QStringLiteral("透明标签4"))->textColour(), Colour::rgb(255, 255, 0));
}

QTEST_MAIN(TestEditorWindow)
#include "tst_editorwindow.moc"
