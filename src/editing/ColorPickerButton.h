#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

// Split button for choosing a colour: the colour part raises OnClick, the arrow part opens the
// palette popup; a choice stores SelectionColor and raises OnChange. Colours are TColor values
// (0x00BBGGRR, red in the low byte).
class TColorPickerButton : public QWidget
{
    Q_OBJECT

public:
    explicit TColorPickerButton(QWidget* parent = nullptr);

    std::uint32_t SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(std::uint32_t color);

    QString CustomText() const { return FCustomText; }
    void SetCustomText(const QString& text);
    int PopupSpacing() const { return FPopupSpacing; }
    void SetPopupSpacing(int spacing);
    bool ShowSystemColors() const { return FShowSystemColors; }
    void SetShowSystemColors(bool show);

signals:
    void OnChange();
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::uint32_t FSelectionColor = 0;
    QString FCustomText;
    int FPopupSpacing = 8;
    bool FShowSystemColors = false;
};
