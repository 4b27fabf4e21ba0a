#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// A label's font as the layouts define it: pixel height rather than points, Windows weights
// (400 normal, 700 bold) and a character set, which Qt has no use for but which an edit keeps.
struct FontRecord
{
    enum class Charset { Default, GB2312 };

    QString face; // empty: the platform's standard face for the character set
    int pixelHeight = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Charset charset = Charset::GB2312;

    // Resolves the face through a list of look-alikes, as the named Windows faces are missing
    // on most other systems and fontconfig knows no aliases for them.
    QFont toQFont() const;

    // The families tried for `face`, the named face first.
    static QStringList fallbackFamilies(const QString &face);

    // Character height in pixels of a size in points on a screen of `dotsPerInch`.
    static int pixelsForPoints(int points, double dotsPerInch);
};
