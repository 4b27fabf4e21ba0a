#include <QTest>

// Placeholder until the window's tests are written.
class Placeholder : public QObject
{
    Q_OBJECT
private slots:
    void pending() { QSKIP("not written yet"); }
};

QTEST_MAIN(Placeholder)
#include "tst_minicountdownwindow.moc"
