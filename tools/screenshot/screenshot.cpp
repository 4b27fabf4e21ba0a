// Renders each window of the widget, with the clock fixed, to PNG files for the README:
//   QT_QPA_PLATFORM=offscreen screenshot <folder> [<reference folder>]
// Given a reference folder (docs/), each picture must also match its namesake there.
#include "app/windowset.h"
#include "runtime/runtime.h"
#include "widgets/bundledfaces.h"
#include "widgets/colourpicker.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// A runtime whose clock stands still and which changes nothing outside the program.
class StillRuntime : public Runtime
{
public:
    QDateTime now() const override
    {
        return QDateTime(QDate(2015, 6, 1), QTime(8, 0), Qt::LocalTime);
    }
    void messageBox(QWidget &, const QString &, MessageStyle, Answered) override { }
    void chooseColour(QWidget &, const QColor &, ColourChosen) override { }
    void openWebPage(const QUrl &) override { }
    void pinToDesktop(QWidget &) override { }
    bool notificationAreaAvailable() const override { return false; }
    void setNotificationIcon(
        QWidget &, const QIcon &, const QString &, std::function<void(IconEvent)>) override
    {
    }
    void shutDown(bool, ShutdownDone done) override
    {
        done({ false, QStringLiteral("screenshots") });
    }
};

template <typename Control> Control *find(QWidget *window, const char *name)
{
    return window->findChild<Control *>(QString::fromUtf8(name));
}

// grab() ignores the window's shape: clear what lies outside it.
QImage shaped(QWidget *window)
{
    QImage image = window->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!window->mask().isEmpty()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setClipRegion(QRegion(window->rect()).subtracted(window->mask()));
        painter.fillRect(window->rect(), Qt::transparent);
    }
    return image;
}

// How far a colour channel may stray from the reference: glyph edges come out a little different
// between font rasterisers, nothing else should.
constexpr int kTolerance = 24;

// Whether `picture` matches the one at `referencePath`, pixel by pixel within kTolerance; says
// where it does not.
bool matches(const QImage &picture, const QString &referencePath)
{
    const QImage reference = QImage(referencePath).convertToFormat(QImage::Format_ARGB32);
    const QImage rendered = picture.convertToFormat(QImage::Format_ARGB32);
    if (reference.size() != rendered.size()) {
        std::fprintf(stderr, "%s: rendered %dx%d, the reference is %dx%d\n",
            qPrintable(referencePath), rendered.width(), rendered.height(), reference.width(),
            reference.height());
        return false;
    }
    QRect differing;
    int count = 0;
    for (int y = 0; y < rendered.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rendered.constScanLine(y));
        const auto *expected = reinterpret_cast<const QRgb *>(reference.constScanLine(y));
        for (int x = 0; x < rendered.width(); ++x) {
            const QRgb a = line[x];
            const QRgb b = expected[x];
            const int most =
                std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b)) });
            if (most > kTolerance) {
                differing |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    if (count > 0)
        std::fprintf(stderr, "%s: %d pixels differ, within %dx%d at (%d, %d)\n",
            qPrintable(referencePath), count, differing.width(), differing.height(), differing.x(),
            differing.y());
    return count == 0;
}

bool save(
    QWidget *window, const QDir &folder, const QString &name, const std::optional<QDir> &reference)
{
    const QString path = folder.filePath(name);
    const QImage picture = window ? shaped(window) : QImage();
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return !reference || matches(picture, reference->filePath(name));
}

void edit(QWidget *editor, int label, Colour colour, int size, const QString &text = {})
{
    find<QComboBox>(editor, "组合框1")->setCurrentIndex(label);
    find<ColourPicker>(editor, "颜色选择器1")->setColour(colour);
    find<QComboBox>(editor, "组合框2")->setCurrentIndex(size);
    find<QLineEdit>(editor, "编辑框1")->setText(text);
    find<QPushButton>(editor, "按钮1")->click();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    loadBundledFaces();
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: screenshot <folder> [<reference folder>]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    std::optional<QDir> reference;
    if (argc == 3)
        reference = QDir(QString::fromLocal8Bit(argv[2]));

    StillRuntime runtime;
    WindowSet windows(runtime);
    bool ok = save(
        windows.open(WindowKind::Countdown), folder, QStringLiteral("countdown.png"), reference);

    QWidget *editor = windows.open(WindowKind::Editor);
    edit(editor, 0, Colour::rgb(250, 215, 120), 0);
    edit(editor, 4, Colour::rgb(255, 140, 60), 0);
    edit(editor, 5, Colour::rgb(255, 255, 255), 14, QStringLiteral("加油！"));
    ok = save(editor, folder, QStringLiteral("editor.png"), reference) && ok;
    ok = save(windows.window(WindowKind::Countdown), folder, QStringLiteral("countdown-edited.png"),
             reference)
        && ok;

    QWidget *alarm = windows.open(WindowKind::Alarm);
    find<QComboBox>(alarm, "组合框1")->setCurrentIndex(1);
    find<QLineEdit>(alarm, "编辑框1")->setText(QStringLiteral("1800"));
    find<QPlainTextEdit>(alarm, "编辑框2")->setPlainText(QStringLiteral("该起来活动一下了"));
    find<QPushButton>(alarm, "按钮1")->click();
    ok = save(alarm, folder, QStringLiteral("alarm.png"), reference) && ok;

    ok = save(windows.open(WindowKind::Mini), folder, QStringLiteral("mini.png"), reference) && ok;
    return ok ? 0 : 1;
}
