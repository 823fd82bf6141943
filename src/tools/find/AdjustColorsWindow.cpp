#include "tools/find/AdjustColorsWindow.h"

#include "common/BusyCursor.h"
#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/find/FindAndRecolor.h"
#include "tools/find/FindAndRecolorTexts.h"
#include "tools/ToolWindowPlacement.h"
#include "tools/StatusPanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>
#include <numeric>
#include <utility>

namespace {

constexpr int ScopeContext = 1321;
constexpr int HueContext = 1322;
constexpr int ChromaContext = 1323;
constexpr int LightnessContext = 1324;

} // namespace

TAdjustColorsWindow::TAdjustColorsWindow(
    TFindAndRecolor& tool, TDocumentSeam& document, TStatusPanel& status, QWidget& parent)
    : QDialog(&parent, Qt::Tool)
    , FTool(tool)
    , FDocument(document)
    , FStatus(status)
{
    setObjectName("AdjustColorsWindow");

    FScopeFound = new QRadioButton(this);
    FScopeFound->setObjectName("AdjustScopeFound");
    FScopeAll = new QRadioButton(this);
    FScopeAll->setObjectName("AdjustScopeAll");
    auto* scope = new QButtonGroup(this);
    scope->addButton(FScopeFound);
    scope->addButton(FScopeAll);
    FScopeAll->setChecked(true);
    for (QRadioButton* button : {FScopeFound, FScopeAll}) {
        button->setProperty("HelpContext", ScopeContext);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                UpdatePreview();
        });
    }

    FHue = MakeChannel("AdjustHue", -180, 180, 0, HueContext);
    FChroma = MakeChannel("AdjustChroma", 0, 200, 100, ChromaContext);
    FLightness = MakeChannel("AdjustLightness", -50, 50, 0, LightnessContext);

    FReset = new QPushButton(this);
    FReset->setObjectName("AdjustReset");
    FReset->setAutoDefault(false);
    FOk = new QPushButton(this);
    FOk->setObjectName("AdjustOk");
    FOk->setDefault(true);
    FCancel = new QPushButton(this);
    FCancel->setObjectName("AdjustCancel");
    FCancel->setAutoDefault(false);
    connect(FReset, &QPushButton::clicked, this, &TAdjustColorsWindow::Reset);
    connect(FOk, &QPushButton::clicked, this, &TAdjustColorsWindow::accept);
    connect(FCancel, &QPushButton::clicked, this, &TAdjustColorsWindow::reject);

    auto* scopeRow = new QHBoxLayout;
    scopeRow->addWidget(FScopeFound);
    scopeRow->addWidget(FScopeAll);
    scopeRow->addStretch(1);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const TChannel& channel : {FHue, FChroma, FLightness}) {
        grid->addWidget(channel.Label, row, 0);
        grid->addWidget(channel.Slider, row, 1);
        grid->addWidget(channel.Value, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FReset);
    buttons->addStretch(1);
    buttons->addWidget(FOk);
    buttons->addWidget(FCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scopeRow);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(&FTool, &TFindAndRecolor::ResultsChanged, this, &TAdjustColorsWindow::ResultsChanged);
    // The items chosen belong to the document that was open.
    connect(&FDocument, &TDocumentSeam::DocumentLoaded, this, [this] {
        if (isVisible())
            reject();
    });
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, &TAdjustColorsWindow::Retranslate);
    Retranslate();
    resize(420, sizeHint().height());
    PlaceBeside(*this, parent);
}

TAdjustColorsWindow::~TAdjustColorsWindow()
{
    EndPreview();
}

TAdjustColorsWindow::TChannel TAdjustColorsWindow::MakeChannel(
    const char* name, int minimum, int maximum, int neutral, int context)
{
    TChannel channel {new QLabel(this), new QSlider(Qt::Horizontal, this), new QSpinBox(this)};
    channel.Value->setObjectName(name);
    channel.Slider->setObjectName(QString::fromLatin1(name) + "Slider");
    channel.Label->setBuddy(channel.Value);
    for (QWidget* control : {static_cast<QWidget*>(channel.Label),
             static_cast<QWidget*>(channel.Slider), static_cast<QWidget*>(channel.Value)})
        control->setProperty("HelpContext", context);
    channel.Slider->setRange(minimum, maximum);
    channel.Value->setRange(minimum, maximum);
    channel.Slider->setValue(neutral);
    channel.Value->setValue(neutral);
    channel.Slider->setPageStep(10);
    // Tab goes from number box to number box, where a value is typed; a slider takes the focus
    // when clicked, and its box takes the same keys (arrows, Page Up and Down) meanwhile.
    channel.Slider->setFocusPolicy(Qt::ClickFocus);
    channel.Slider->setTickPosition(QSlider::TicksBelow);
    channel.Slider->setTickInterval(maximum - minimum > 200 ? 60 : 25);
    // Each follows the other; a value set that each already has raises nothing, so they stop.
    connect(channel.Slider, &QSlider::valueChanged, channel.Value, &QSpinBox::setValue);
    connect(channel.Value, &QSpinBox::valueChanged, channel.Slider, &QSlider::setValue);
    connect(channel.Value, &QSpinBox::valueChanged, this, &TAdjustColorsWindow::UpdatePreview);
    return channel;
}

void TAdjustColorsWindow::Open()
{
    if (!isVisible()) {
        Reset();
        show();
        // On the items found, when the find window found any.
        (FTool.Results().empty() ? FScopeAll : FScopeFound)->setChecked(true);
        ResultsChanged();
    }
    raise();
    activateWindow();
    FHue.Value->setFocus(Qt::ShortcutFocusReason);
}

void TAdjustColorsWindow::Retranslate()
{
    setWindowTitle(FindText(TFindText::AdjustTitle));
    FHue.Label->setText(FindText(TFindText::AdjustHue));
    FChroma.Label->setText(FindText(TFindText::AdjustChroma));
    FLightness.Label->setText(FindText(TFindText::AdjustLightness));
    FHue.Value->setSuffix(FindText(TFindText::AdjustHueUnit));
    FChroma.Value->setSuffix(FindText(TFindText::AdjustChromaUnit));
    FReset->setText(FindText(TFindText::AdjustReset));
    FOk->setText(FindText(TFindText::Ok));
    FCancel->setText(FindText(TFindText::Cancel));
    ResultsChanged();
}

TColorAdjustment TAdjustColorsWindow::Adjustment() const
{
    return {double(FHue.Value->value()), double(FChroma.Value->value()),
        double(FLightness.Value->value())};
}

std::vector<std::size_t> TAdjustColorsWindow::ChosenItems() const
{
    std::vector<std::size_t> items;
    if (FScopeFound->isChecked()) {
        for (const TFindHit& hit : FTool.Results())
            items.push_back(hit.Item);
    } else {
        items.resize(FDocument.ItemCount());
        std::iota(items.begin(), items.end(), std::size_t(0));
    }
    return items;
}

void TAdjustColorsWindow::ResultsChanged()
{
    if (!isVisible() && !FPreview)
        return;
    const std::size_t found = FTool.Results().size();
    FScopeFound->setText(FindText(TFindText::AdjustScopeFound).arg(CountNumber(found)));
    FScopeAll->setText(FindText(TFindText::AdjustScopeAll).arg(CountNumber(FDocument.ItemCount())));
    FScopeFound->setEnabled(found > 0);
    if (found == 0 && FScopeFound->isChecked())
        FScopeAll->setChecked(true);
    UpdatePreview();
}

void TAdjustColorsWindow::UpdatePreview()
{
    if (!isVisible())
        return;
    const TColorAdjustment adjustment = Adjustment();
    if (adjustment.IsIdentity()) {
        EndPreview();
        return;
    }
    auto preview = std::make_shared<TPreview>();
    preview->Adjustment = adjustment;
    const TItemNeighbours& shown = FTool.PreviewNeighbours();
    for (const std::size_t item : ChosenItems()) {
        if (shown.HasPixels(item))
            preview->Items.push_back(item);
    }
    // The transform reads the document's colours as it paints, so a change of the colours alone
    // is already shown.
    if (FPreview && *FPreview == *preview)
        return;
    FPreview = preview;
    // The chosen items as OK would make them, from the document's colours, over whatever other
    // colours the preview shows (the saved ones).
    TPaintTransform transform;
    transform.Stage = TPaintTransform::TStage::TriedChanges;
    transform.ItemColors = [preview, &document = FDocument](std::vector<TRGBTriple>& colors) {
        const std::span<const TRGBTriple> current = document.Colors();
        for (const std::size_t item : preview->Items) {
            if (item < colors.size() && item < current.size())
                colors[item] = AdjustColor(current[item], preview->Adjustment);
        }
    };
    FDocument.SetPaintTransform(this, std::move(transform));
}

void TAdjustColorsWindow::EndPreview()
{
    if (!FPreview)
        return;
    FPreview.reset();
    FDocument.ClearPaintTransform(this);
}

void TAdjustColorsWindow::Reset()
{
    // The spin boxes are quiet meanwhile: the preview ends once, not once per channel.
    for (const TChannel& channel : {FHue, FChroma, FLightness})
        channel.Value->blockSignals(true);
    for (const auto& [channel, neutral] :
        {std::pair(FHue, 0), std::pair(FChroma, 100), std::pair(FLightness, 0)}) {
        channel.Value->setValue(neutral);
        channel.Slider->setValue(neutral);
    }
    for (const TChannel& channel : {FHue, FChroma, FLightness})
        channel.Value->blockSignals(false);
    EndPreview();
}

void TAdjustColorsWindow::accept()
{
    const std::vector<std::size_t> items = ChosenItems();
    const TColorAdjustment adjustment = Adjustment();
    std::vector<TColorChange> changes;
    {
        const TBusyCursor busy;
        changes = AdjustChanges(FDocument.Colors(), items, adjustment);
    }
    // The window and its preview go first, so that the step repaints the document's own colours
    // and the change it makes does not start a preview again.
    EndPreview();
    QDialog::accept();
    if (changes.empty())
        FStatus.ShowMessage(FindText(TFindText::AdjustUnchanged));
    else
        FDocument.ApplyColors(changes, {TStepKind::Adjust, {}});
}

void TAdjustColorsWindow::reject()
{
    EndPreview();
    QDialog::reject();
}
