// The display settings dialog: every change of a control is stored in the score at once
// and the page behind the dialog is laid out again as a preview. The dialog is one undo
// step "Display Settings"; Cancel puts the settings and the page orientation back.
#pragma once

#include <QDialog>
#include <functional>

#include "app/DisplaySettingsModel.h"
#include "model/PrinterSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace ks {

class CKeystaveDoc;

class CDisplaySettingsDialog : public QDialog {
    Q_OBJECT
  public:
    // `relayout` lays the document out again and repaints its view.
    CDisplaySettingsDialog(CKeystaveDoc& doc, std::function<void()> relayout,
                           QWidget* parent = nullptr);

    DisplayControls controls() const;
    void setControls(const DisplayControls& controls);
    void accept() override;
    void reject() override;

    // The widgets, for tests.
    QSlider* musicSize() const { return musicSize_; }
    QComboBox* staveType() const { return staveType_; }
    QComboBox* colourMode() const { return colourMode_; }
    QCheckBox* titleBox() const { return show_[0]; }
    QCheckBox* subtitleBox() const { return show_[1]; }
    QRadioButton* landscape() const { return landscape_; }
    QLabel* linesLabel() const { return lines_; }

  private:
    void build();
    void controlChanged(QObject* sender);
    void refreshLabels();

    CKeystaveDoc& doc_;
    std::function<void()> relayout_;
    CDisplaySettings before_;
    CPrinterSettings printerBefore_;
    bool updating_ = false;
    bool pushed_ = false;

    QComboBox* barsPerLine_ = nullptr;
    QSlider* musicSize_ = nullptr;
    QLabel* musicSizeLabel_ = nullptr;
    QSlider* handGap_ = nullptr;
    QLabel* handGapLabel_ = nullptr;
    QComboBox* colourMode_ = nullptr;
    QComboBox* extendMode_ = nullptr;
    QComboBox* staveType_ = nullptr;
    QCheckBox* stemDirection_ = nullptr;
    QCheckBox* whiteNoteSpace_ = nullptr;
    QCheckBox* thickLines_ = nullptr;
    QCheckBox* fadeTies_ = nullptr;
    QCheckBox* onlyUsedLines_ = nullptr;
    QCheckBox* preventOverlap_ = nullptr;
    QCheckBox* fingeringNearHead_ = nullptr;
    QCheckBox* show_[17] = {};
    QCheckBox* cropStart_ = nullptr;
    QCheckBox* cropEnd_ = nullptr;
    QCheckBox* indentStart_ = nullptr;
    QCheckBox* barZero_ = nullptr;
    QCheckBox* indentEnd_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QLabel* lines_ = nullptr;
};

}  // namespace ks
