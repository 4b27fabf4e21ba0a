// The yardstick for the board: the least a Qt Widgets window of the same size can cost.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--qt-version") == 0) {
        std::printf("%s\n", qVersion());
        return 0;
    }
    QApplication app(argc, argv);

    QLabel window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("bare"));
    window.setTextFormat(Qt::PlainText);
    window.setAlignment(Qt::AlignCenter);
    window.setFixedSize(777, 541);
    window.move(50, 50);

    const auto showTime = [&window] { window.setText(QTime::currentTime().toString()); };
    showTime();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, showTime);
    timer.start(1000);

    window.show();
    return app.exec();
}
