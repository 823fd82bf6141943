// Requests from other programs arriving while the user is in a dialog or popup of the program:
// they wait, in order, and run when it has closed; the caller is answered after they ran.
#include "MainFormFixture.h"

#include "PrivateBus.h"
#include "app/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTest>

#include <functional>
#include <optional>

namespace {

const QString ServiceName = QStringLiteral("org.tintwright.tintwright");

class HeldRequestsTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        if (!FBus.Start())
            GTEST_SKIP() << "dbus-daemon is not installed";
        WriteBytes(Folder / "other.clr", "001,002,003 // Other\r\n004,005,006 // More\r\n");
    }

    QDBusPendingCall Send(const QString& macro)
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(ServiceName, QString::fromLatin1(MessageObjectPath),
                QString::fromLatin1(MessageInterfaceName), QStringLiteral("Execute"));
        call << macro;
        return FClient.asyncCall(call, 20000);
    }

    TPrivateBus FBus;
    QDBusConnection FClient {QString()};
};

TEST_F(HeldRequestsTest, AnOpenArrivingInADialogRunsWhenItHasClosed)
{
    struct TRow
    {
        const char* Name;
        // Opens the user's dialog or popup; `during` runs while it is up, and must close it.
        std::function<void(TMainForm&, std::function<void()> during)> Open;
        unsigned Item0Before; // the first document's item 0 once the dialog closed
    };
    const TRow rows[] = {
        {"colour dialog",
            [](TMainForm& form, std::function<void()> during) {
                AnswerNextModal([during](QWidget* dialog) {
                    during();
                    auto* colors = qobject_cast<QColorDialog*>(dialog);
                    colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
                    colors->accept();
                });
                QTest::keyClick(ColorPickerButton1(form), Qt::Key_Space);
            },
            0x123456},
        {"save question",
            [](TMainForm& form, std::function<void()> during) {
                ListBox1(form)->setCurrentRow(0);
                EditColorValue(form)->setText("ABCDEF");
                AnswerNextModal([during](QWidget* dialog) {
                    during();
                    qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Cancel)->click();
                });
                Action(form, "ActionFileNew")->trigger();
            },
            0xABCDEF},
        {"palette popup",
            [](TMainForm& form, std::function<void()> during) {
                QTest::keyClick(ColorPickerButton1(form), Qt::Key_Down, Qt::AltModifier);
                ASSERT_NE(QApplication::activePopupWidget(), nullptr);
                during();
                ColorPickerButton1(form)->SetDroppedDown(false);
            },
            0x000000},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TMainForm& form = Start();
        form.activateWindow();
        form.ListenForRequests(FBus.Connect(), ServiceName);
        FClient = FBus.Connect();

        std::optional<QDBusPendingCall> call;
        row.Open(form, [&] {
            call = Send(QStringLiteral("[Open(%1)]").arg(PathOf("other.clr")));
            QTest::qWait(300);
            // Still the user's document, and the caller still waits.
            EXPECT_EQ(ListBox1(form)->count(), 8);
            EXPECT_FALSE(call->isFinished());
        });
        EXPECT_EQ(ItemRgb(0), row.Item0Before);
        // The request runs now; a changed document asks first, and No lets the load go on.
        if (form.Modified())
            AnswerMessageBox(QMessageBox::No);
        ASSERT_TRUE(call);
        EXPECT_EQ(TPrivateBus::Wait(*call).type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(form.FileName(), Folder / "other.clr");
        EXPECT_EQ(ItemRgb(0), 0x010203u);
        EXPECT_FALSE(form.Modified());
        Form.reset();
    }
}

TEST_F(HeldRequestsTest, ADesktopOpenOfManyBadFilesShowsOneBox)
{
    TMainForm& form = Start();
    form.ListenForRequests(FBus.Connect(), ServiceName);
    FClient = FBus.Connect();
    QStringList urls;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "bad" + std::to_string(i) + ".cpf";
        WriteBytes(Folder / name, "not a preview");
        urls.append(QUrl::fromLocalFile(PathOf(name)).toString());
    }
    QDBusMessage open
        = QDBusMessage::createMethodCall(ServiceName, QStringLiteral("/org/tintwright/tintwright"),
            QStringLiteral("org.freedesktop.Application"), QStringLiteral("Open"));
    open << urls << QVariantMap();
    const auto message = CaptureMessageBox(QMessageBox::Ok);
    EXPECT_EQ(TPrivateBus::Wait(FClient.asyncCall(open, 20000)).type(), QDBusMessage::ReplyMessage);
    EXPECT_FALSE(PendingAnswer()) << "a second box would still wait for its answer";
    EXPECT_EQ(message->Text, "40 files could not be opened.");
    EXPECT_TRUE(message->InformativeText.startsWith("bad0.cpf: Error\n"));
    EXPECT_TRUE(message->InformativeText.endsWith("and 30 more"));
    EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
}

} // namespace
