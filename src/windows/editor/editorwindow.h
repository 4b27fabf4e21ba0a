#pragma once

#include <QWidget>

class ColourPicker;
class QComboBox;
class QLineEdit;
class WindowHost;

// The small framed form that restyles one label of the large board at a time: which label, its
// text colour, its font size and, for the custom text label, its text.
class EditorWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EditorWindow(WindowHost &host);

private:
    void onApplyClicked();

    WindowHost &m_host;
    QComboBox *m_labelChoice;
    QComboBox *m_sizeChoice;
    QLineEdit *m_customText;
    ColourPicker *m_colourPicker;
};
