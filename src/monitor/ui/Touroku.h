// The monitor data menu: leads to customer entry, vehicle entry and the vehicle information form, preparing
// each target form and filling its customer selector from the customer list.
#pragma once

#include <QWidget>

class QFrame;
class QPushButton;

class TTourokuForm : public QWidget {
    Q_OBJECT
public:
    TTourokuForm();
    ~TTourokuForm() override;

    void FormShow();
    void Button1Click(); // customer entry
    void Button2Click(); // vehicle entry
    void Button3Click(); // vehicle information: data import and printing
    void modoru_BTNClick();

    // Resets the vehicle update form and fills its customer selector, to be shown later or kept in step by the
    // vehicle information form.
    void PrepareCarInfoUpdateForm();

    QFrame* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr; // "データ取込・印刷": the vehicle information form
    QPushButton* modoru_BTN = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
