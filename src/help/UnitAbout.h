#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's icon, name, version and build, our copyright and credit lines and
// a link to the home page. A fixed dialog without a close box; Enter or OK closes it. Only its
// title follows the language (the caller sets it).
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAbout(QWidget* owner);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* ButtonOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void Label7Click();
};

// Opens the product's home page in the user's browser; a failure shows nothing.
void OpenHomePage();
