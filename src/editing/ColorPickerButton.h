#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class TColorPopup;
struct TColorPopupOptions;

// Split button for choosing a colour: the colour part raises OnClick, the arrow part opens the
// palette popup; a choice stores SelectionColor and raises OnChange. Colours are TColor values
// (0x00BBGGRR, red in the low byte). From the keyboard, Space or Enter is a click of the colour
// part, and Alt+Down or F4 opens the popup.
class TColorPickerButton : public QWidget
{
    Q_OBJECT

public:
    enum TIndicatorBorder { ibNone, ibFlat, ibSunken, ibRaised };
    Q_ENUM(TIndicatorBorder)

    explicit TColorPickerButton(QWidget* parent = nullptr);

    std::uint32_t SelectionColor() const { return FSelectionColor; }
    // Stores the colour and raises OnChange, only when it differs from the current one.
    void SetSelectionColor(std::uint32_t color);

    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int width);
    std::uint32_t DropDownArrowColor() const { return FDropDownArrowColor; }
    void SetDropDownArrowColor(std::uint32_t color);
    TIndicatorBorder IndicatorBorder() const { return FIndicatorBorder; }
    void SetIndicatorBorder(TIndicatorBorder border);

    // The popup's custom button exists only with a custom text, its default button only with a
    // default text.
    QString CustomText() const { return FCustomText; }
    void SetCustomText(const QString& text);
    QString DefaultText() const { return FDefaultText; }
    void SetDefaultText(const QString& text);
    // Hint formats of the custom area; empty means the built-in ones.
    QString ColorHintText() const { return FColorHintText; }
    void SetColorHintText(const QString& text);
    QString IntensityHintText() const { return FIntensityHintText; }
    void SetIntensityHintText(const QString& text);
    bool ShowSystemColors() const { return FShowSystemColors; }
    void SetShowSystemColors(bool show);
    // Left and right margin inside the popup, never below 0; used the next time the popup's
    // layout is computed.
    int PopupSpacing() const { return FPopupSpacing; }
    void SetPopupSpacing(int spacing);

    // The button's own hint, shown as its tool tip and by the popup as a fallback.
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show);

    bool DroppedDown() const { return FDroppedDown; }
    // Opens or closes the popup; OnDropChanging may veto the change.
    void SetDroppedDown(bool open);

    QSize sizeHint() const override;

signals:
    void OnChange();
    void OnClick();
    void OnDropChanging(bool& allowed);
    void OnDropChanged();
    void OnDefaultSelect();
    // Asks for the hint of the popup's default button (-3), custom button (-2) or free space (-1).
    void OnHint(int cell, QString& hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TColorPopup& Popup();
    TColorPopupOptions PopupOptions() const;
    void PopupSettingsChanged();
    void PopupHidden();
    void PaintColorBar(QPainter& painter, const QRect& bar);
    void PaintArrow(QPainter& painter);

    std::uint32_t FSelectionColor = 0;
    int FDropDownWidth = 15;
    std::uint32_t FDropDownArrowColor = 0;
    TIndicatorBorder FIndicatorBorder = ibFlat;
    QString FCustomText;
    QString FDefaultText;
    QString FColorHintText;
    QString FIntensityHintText;
    bool FShowSystemColors = false;
    int FPopupSpacing = 8;
    QString FHint;
    bool FShowHint = true;

    TColorPopup* FPopup = nullptr; // a child window, created when first needed
    bool FDroppedDown = false;
    bool FDown = false; // the pressed look
    bool FPressInColorPart = false; // a press in the colour part is being tracked
    bool FChangingDrop = false; // guards SetDroppedDown against re-entry from hide and focus
};
