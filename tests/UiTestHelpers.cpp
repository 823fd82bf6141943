#include "UiTestHelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {

int pendingAnswers = 0;
int answerGeneration = 0;

void PollForModal(std::function<void(QWidget*)> answer, int generation, int triesLeft)
{
    if (generation != answerGeneration)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        if (triesLeft > 0)
            QTimer::singleShot(10, [=] { PollForModal(answer, generation, triesLeft - 1); });
        else
            --pendingAnswers;
        return;
    }
    --pendingAnswers;
    answer(modal);
}

} // namespace

void TypeIntoFileDialog(QFileDialog* dialog, const QString& fileName)
{
    // selectFile() alone is sometimes undone when the dialog's folder model catches up with the
    // folder change; then the name is typed into the name field, as a user would.
    dialog->selectFile(fileName);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (edit != nullptr && dialog->selectedFiles().value(0) != fileName)
        edit->setText(fileName);
    // accept() is protected on QFileDialog; the dialog's own slot does the same checks.
    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
}

void AnswerNextModal(std::function<void(QWidget* dialog)> answer)
{
    ++pendingAnswers;
    const int generation = answerGeneration;
    QTimer::singleShot(0, [=] { PollForModal(answer, generation, 500); });
}

void AnswerMessageBox(int standardButton)
{
    AnswerNextModal([standardButton](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            dialog->close();
            return;
        }
        if (QAbstractButton* button = box->button(QMessageBox::StandardButton(standardButton)))
            button->click();
        else
            box->reject();
    });
}

void AnswerFileDialog(const QString& fileName)
{
    AnswerNextModal([fileName](QWidget* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        if (fileDialog == nullptr) {
            dialog->close();
            return;
        }
        if (fileName.isEmpty()) {
            fileDialog->reject();
            return;
        }
        TypeIntoFileDialog(fileDialog, fileName);
    });
}

void AnswerColorDialog(unsigned rgb, bool accept)
{
    AnswerNextModal([rgb, accept](QWidget* dialog) {
        auto* colorDialog = qobject_cast<QColorDialog*>(dialog);
        if (colorDialog == nullptr) {
            dialog->close();
            return;
        }
        if (!accept) {
            colorDialog->reject();
            return;
        }
        colorDialog->setCurrentColor(QColor::fromRgb(rgb));
        colorDialog->accept();
    });
}

std::shared_ptr<TMessageBoxSeen> CaptureMessageBox(int standardButton)
{
    auto seen = std::make_shared<TMessageBoxSeen>();
    AnswerNextModal([seen, standardButton](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            seen->Text = "<not a message box>";
            dialog->close();
            return;
        }
        seen->Seen = true;
        seen->Text = box->text();
        seen->InformativeText = box->informativeText();
        if (QAbstractButton* button = box->button(QMessageBox::StandardButton(standardButton)))
            button->click();
        else
            box->reject();
    });
    return seen;
}

void AnswerFileDialogThen(const QString& fileName, int standardButton)
{
    AnswerNextModal([fileName, standardButton](QWidget* dialog) {
        AnswerMessageBox(standardButton);
        if (auto* fileDialog = qobject_cast<QFileDialog*>(dialog))
            TypeIntoFileDialog(fileDialog, fileName);
        else
            dialog->close();
    });
}

bool PendingAnswer()
{
    return pendingAnswers > 0;
}

void CancelPendingAnswers()
{
    ++answerGeneration;
    pendingAnswers = 0;
}
