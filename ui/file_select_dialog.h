#pragma once

#include <QtCore/QEventLoop>
#include <QtWidgets/QWidget>

#include "files/file_select.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvex::ui {

// frmFileSelect: the widgets of the file-selection dialog, bound to its model. Each user action
// goes to the model's event method and the model is shown again; Run waits, keeping the window's
// events going, until the model is done. The name box has the focus when it opens; Enter there is
// OK, Escape is Cancel.
class FileSelectDialog final : public QWidget {
    Q_OBJECT

  public:
    FileSelectDialog(frmFileSelect& model, QWidget* parent);

    // Shows the dialog and returns once the model is done; the dialog is then hidden.
    void Run();
    // Shows the model: caption, place, lists and the name box.
    void Refresh();

    QComboBox* Drive1() const { return drive1_; }
    QListWidget* Dir1() const { return dir1_; }
    QListWidget* File1() const { return file1_; }
    QLineEdit* txtCurrFile() const { return txtCurrFile_; }
    QPushButton* cmdOk() const { return cmdOk_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    // Runs a user action on the model, shows the result and ends the wait once the model is done.
    template <typename Action>
    void Forward(Action action);

    frmFileSelect& model_;
    QComboBox* drive1_;
    QListWidget* dir1_;
    QListWidget* file1_;
    QLineEdit* txtCurrFile_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QEventLoop wait_;
    bool showing_ = false;  // the widgets change because the model did, not the user
};

}  // namespace tarvex::ui
