// The record reading form: lists the records the tester holds (filled by the record-directory job on an open
// link), reads the chosen one and files it under the vehicle chosen in the vehicle information form.
#pragma once

#include <QWidget>

#include <cstddef>
#include <vector>

class QComboBox;
class QFrame;
class QPushButton;

class TGetDataForm : public QWidget {
    Q_OBJECT
public:
    TGetDataForm();
    ~TGetDataForm() override;

    // The record-directory job, run by the wait dialog on the open link. True when this form was shown
    // (the link stays open until the form is hidden).
    bool RecordDirectoryJob();

    void Button1Click(); // read
    void Button2Click(); // back

    QFrame* Panel1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ReturnToVehicleForm();
    bool SaveRecord(int line);

    // For each list line, the index of its directory entry.
    std::vector<std::size_t> entryOfLine_;
};
