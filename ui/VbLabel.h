#pragma once
// The label: a caption in a font and colours, aligned left (0), right (1) or centred (2). With
// AutoSize the label fits its text: with WordWrap it keeps its width and takes the height of the
// wrapped text, without it takes the size of the text on one line; it refits after every change
// of caption, font or size. A label that is not on the screen owes its fit until it is shown or
// its size is read (see VbControl::oweLayout): the size anyone sees is the same. BackStyle 0 makes
// it transparent (the form's picture shows through); the BackColor is kept and shows again with
// BackStyle 1. With UseMnemonic (the default) a single
// "&" marks an access key and is not shown, "&&" shows one "&".

#include "VbControl.h"

class QLabel;

namespace zv {

class VbLabel : public VbControl {
public:
    explicit VbLabel(QWidget* parent);

    QLabel* label() const;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    int alignment() const { return alignment_; }
    void setAlignment(int alignment); // 0, 1, 2; else 380
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    int backStyle() const { return backStyle_; }
    void setBackStyle(int style); // 0 transparent, 1 opaque; else 380
    bool useMnemonic() const { return useMnemonic_; }
    void setUseMnemonic(bool on);

    // The text a caption shows.
    static QString shownText(const QString& caption, bool useMnemonic);

protected:
    void applyBackColor(const QColor& color) override;
    void contentChanged() override;
    void runOwedLayout() override;
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
    // Fits now while the label is on the screen, else owes the fit.
    void fit();
    void fitNow();
    void showCaption();

    QString caption_;
    int alignment_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    int backStyle_ = 1;
    bool useMnemonic_ = true;
    bool fitting_ = false;
};

} // namespace zv
