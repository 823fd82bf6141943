#include "help/UnitAbout.h"

#include "help/VersionText.h"

#include "Version.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

namespace {

constexpr int ClientWidth = 325;
constexpr int ClientHeight = 222;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    if (place.size().isEmpty()) {
        label->adjustSize();
        label->move(place.topLeft());
    } else {
        label->setGeometry(place);
    }
    return label;
}

// A click on the link opens the home page.
class TLinkLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> Clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (Clicked && rect().contains(event->position().toPoint()))
            Clicked();
    }
};

} // namespace

void OpenHomePage()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(HomePageAddress)));
}

TFormAbout::TFormAbout(QWidget* owner)
    : QDialog(owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("FormAbout");
    setWindowTitle("About");
    setFixedSize(ClientWidth, ClientHeight);
    QFont tahoma("Tahoma");
    tahoma.setPointSize(8);
    setFont(tahoma);

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    group->setGeometry(8, 8, 313, 177);

    Image1 = new QLabel(group);
    Image1->setObjectName("Image1");
    Image1->setGeometry(16, 24, 48, 48);

    Label1 = MakeLabel(group, "Label1", "Tintwright", {88, 16, 217, 25}, Qt::AlignHCenter);
    QFont title("Verdana");
    title.setPixelSize(21);
    title.setItalic(true);
    Label1->setFont(title);
    Label2
        = MakeLabel(group, "Label2", "for TomTom Navigator", {88, 48, 217, 13}, Qt::AlignHCenter);
    Label4 = MakeLabel(group, "Label4", "version 2.1", {88, 64, 217, 13}, Qt::AlignHCenter);
    Label6 = MakeLabel(group, "Label6",
        "For the latest version of Tintwright, please visit our website at:", {8, 88, 297, 33});
    Label6->setWordWrap(true);
    auto* link = new TLinkLabel(QString::fromLatin1(HomePageAddress), group);
    Label7 = link;
    Label7->setObjectName("Label7");
    Label7->setGeometry(64, 101, 174, 13);
    Label7->setCursor(Qt::PointingHandCursor);
    Label7->setStyleSheet("color: blue; text-decoration: underline;");
    Label7->setFont(tahoma);
    Label7->setFocusPolicy(Qt::NoFocus);
    link->Clicked = [this] { Label7Click(); };
    Label3 = MakeLabel(
        group, "Label3", "Copyright \u00A9 2026 The Tintwright developers", {8, 136, 0, 0});
    Label5 = MakeLabel(group, "Label5",
        "Colour schemes for TomTom Navigator, drawn in your own colours", {8, 152, 0, 0});

    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setGeometry(127, 192, 75, 25);
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

void TFormAbout::FormCreate()
{
    Image1->setPixmap(QIcon(":/tintwright.png").pixmap(48, 48));
    Label4->setText(QString::fromStdString(VersionText(TINTWRIGHT_VERSION_MAJOR,
        TINTWRIGHT_VERSION_MINOR, TINTWRIGHT_VERSION_RELEASE, TINTWRIGHT_VERSION_BUILD)));
}

void TFormAbout::Label7Click()
{
    OpenHomePage();
}

void TFormAbout::showEvent(QShowEvent* event)
{
    // Centred on the main window.
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
