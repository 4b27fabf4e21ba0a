#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// A label's font as the layouts define it: pixel height rather than points, Windows weights
// (400 normal, 700 bold).
struct FontRecord
{
    QString face; // empty: the platform's standard face
    int pixelHeight = 0;
    int weight = 400;

    // Resolves the face to the program's own typeface for it, then to the system's.
    QFont toQFont() const;

    // The families tried for `face`: the bundled face first, then the named face and look-alikes.
    static QStringList fallbackFamilies(const QString &face);

    // The font of a board's texts that have no record of their own ("小窗口", "为软件投票"): the
    // `desktop` font's size in the program's own sans face, then in the desktop's face.
    static QFont interfaceFont(const QFont &desktop);

    // Character height in pixels of a size in points on a screen of `dotsPerInch`.
    static int pixelsForPoints(int points, double dotsPerInch);
};
