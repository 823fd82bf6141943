#pragma once

#include <QString>

#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

// Answers the next modal dialog the code under test opens: waits until
// QApplication::activeModalWidget() appears, then hands it to the answer (which typically
// clicks a button or fills a file name and accepts). Returns at once; the answer runs from the
// event loop the dialog itself spins.
void AnswerNextModal(std::function<void(QWidget* dialog)> answer);

// Common answers.
void AnswerMessageBox(int standardButton); // QMessageBox::Yes, No, Cancel, Ok
void AnswerFileDialog(const QString& fileName); // types the name and accepts; empty cancels
void AnswerColorDialog(unsigned rgb, bool accept); // 0xRRGGBB

// What a message box answered by CaptureMessageBox showed.
struct TMessageBoxSeen
{
    bool Seen = false;
    QString Text;
    QString InformativeText;
};
// Answers the next modal dialog, which must be a message box, with a button and keeps its texts.
std::shared_ptr<TMessageBoxSeen> CaptureMessageBox(int standardButton);

// Answers a file dialog with a name, then the modal that follows it (an overwrite question, the
// save prompt, an error) with a button.
void AnswerFileDialogThen(const QString& fileName, int standardButton);

// Types a name into an open file dialog's name field and accepts it.
void TypeIntoFileDialog(QFileDialog* dialog, const QString& fileName);

// True when an answer was scheduled but no modal dialog appeared to take it.
bool PendingAnswer();
// Forgets a scheduled answer that never found its dialog.
void CancelPendingAnswers();
