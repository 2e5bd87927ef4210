#include "ui/file_select_dialog.h"

#include <QtCore/QFile>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <cmath>

#include "ui/text.h"

namespace tarvex::ui {
namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kFontPixels = 11;

int Pixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

int Twips(int pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

QRect PixelRect(const TwipRect& r) {
    return {Pixels(r.left), Pixels(r.top), Pixels(r.width), Pixels(r.height)};
}

// Paths and file names are the system's bytes, shown and typed in its file-name encoding.
QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

QStringList Texts(const std::vector<std::string>& rows) {
    QStringList texts;
    for (const std::string& row : rows) {
        texts << FromPath(row);
    }
    return texts;
}

QStringList TextsOf(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) {
        texts << list.item(row)->text();
    }
    return texts;
}

QStringList TextsOf(const QComboBox& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) {
        texts << list.itemText(row);
    }
    return texts;
}

template <typename W>
W* Place(W* widget, const TwipRect& at, const char* name) {
    widget->setObjectName(name);
    widget->setGeometry(PixelRect(at));
    return widget;
}

}  // namespace

FileSelectDialog::FileSelectDialog(frmFileSelect& model, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      model_(model),
      drive1_(Place(new QComboBox(this), kDrive1Position, "Drive1")),
      dir1_(Place(new QListWidget(this), kDir1Position, "Dir1")),
      file1_(Place(new QListWidget(this), kFile1Position, "File1")),
      txtCurrFile_(Place(new QLineEdit(this), kTxtCurrFilePosition, "txtCurrFile")),
      cmdOk_(
          Place(new QPushButton(ToQt(std::string(kCmdOkCaption)), this), kCmdOkPosition, "cmdOk")),
      cmdCancel_(Place(new QPushButton(ToQt(std::string(kCmdCancelCaption)), this),
                       kCmdCancelPosition, "cmdCancel")) {
    setObjectName("frmFileSelect");
    QFont small = font();
    small.setPixelSize(kFontPixels);
    setFont(small);
    setFixedSize(PixelRect({0, 0, kFileSelectInnerWidth, kFileSelectInnerHeight}).size());
    setTabOrder(file1_, drive1_);
    setTabOrder(drive1_, dir1_);
    setTabOrder(dir1_, txtCurrFile_);
    setTabOrder(txtCurrFile_, cmdOk_);
    setTabOrder(cmdOk_, cmdCancel_);

    connect(drive1_, &QComboBox::activated, this,
            [this](int row) { Forward([this, row] { model_.Drive1_Change(row); }); });
    connect(dir1_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = dir1_->row(item);
        Forward([this, row] { model_.Dir1_Change(row); });
    });
    // A click, or the selection moved with the keys.
    const auto clicked = [this](int row) { Forward([this, row] { model_.File1_Click(row); }); };
    connect(file1_, &QListWidget::currentRowChanged, this, clicked);
    connect(file1_, &QListWidget::itemClicked, this,
            [this, clicked](QListWidgetItem* item) { clicked(file1_->row(item)); });
    connect(file1_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = file1_->row(item);
        Forward([this, row] { model_.File1_DblClick(row); });
    });
    connect(txtCurrFile_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Forward([this, text] { model_.txtCurrFile_Change(ToPath(text)); });
    });
    const auto ok = [this] { Forward([this] { model_.cmdOk_Click(); }); };
    connect(cmdOk_, &QPushButton::clicked, this, ok);
    connect(txtCurrFile_, &QLineEdit::returnPressed, this, ok);  // Enter in the name box
    connect(cmdCancel_, &QPushButton::clicked, this,
            [this] { Forward([this] { model_.cmdCancel_Click(); }); });
}

template <typename Action>
void FileSelectDialog::Forward(Action action) {
    if (showing_ || !isVisible()) {
        return;
    }
    action();
    Refresh();
    if (model_.DialogDone()) {
        hide();
        wait_.quit();
    }
}

void FileSelectDialog::Run() {
    Refresh();
    show();
    raise();
    activateWindow();
    // Ready for a name to be typed over the one shown.
    txtCurrFile_->setFocus();
    txtCurrFile_->selectAll();
    if (!model_.DialogDone()) {
        wait_.exec();
    }
    hide();
}

void FileSelectDialog::Refresh() {
    const FileSelectControls& c = model_.Controls();
    showing_ = true;
    setWindowTitle(ToQt(c.caption));
    const QRect at = PixelRect(c.position);
    if (geometry().topLeft() != at.topLeft()) {
        move(at.topLeft());
    }

    const QStringList drives = Texts(c.Drive1Rows);
    if (TextsOf(*drive1_) != drives) {
        drive1_->clear();
        drive1_->addItems(drives);
    }
    drive1_->setCurrentIndex(c.Drive1Row);

    QStringList dirs;
    int current = -1;
    for (std::size_t row = 0; row < c.Dir1Rows.size(); ++row) {
        const DirectoryRow& dir = c.Dir1Rows[row];
        dirs << QString(dir.depth * 2, QLatin1Char(' ')) + FromPath(dir.caption);
        if (dir.open) {
            current = static_cast<int>(row);
        }
    }
    if (TextsOf(*dir1_) != dirs) {
        dir1_->clear();
        for (std::size_t row = 0; row < c.Dir1Rows.size(); ++row) {
            const auto icon =
                c.Dir1Rows[row].open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon;
            dir1_->addItem(
                new QListWidgetItem(style()->standardIcon(icon), dirs[static_cast<int>(row)]));
        }
    }
    dir1_->setCurrentRow(current);

    const QStringList files = Texts(c.File1Rows);
    if (TextsOf(*file1_) != files) {
        file1_->clear();
        file1_->addItems(files);
    }
    file1_->setCurrentRow(c.File1Row);

    if (ToPath(txtCurrFile_->text()) != c.txtCurrFile) {
        txtCurrFile_->setText(FromPath(c.txtCurrFile));
    }
    showing_ = false;
}

void FileSelectDialog::closeEvent(QCloseEvent* event) {
    // Closed through its frame: the model takes it as Cancel, and the dialog is only hidden.
    event->ignore();
    Forward([this] { model_.Form_QueryUnload(); });
}

void FileSelectDialog::keyPressEvent(QKeyEvent* event) {
    // Escape, wherever the focus is: no control of the dialog uses it.
    if (event->key() == Qt::Key_Escape) {
        Forward([this] { model_.cmdCancel_Click(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void FileSelectDialog::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!showing_ && isVisible()) {
        model_.Form_Moved(Twips(geometry().left()), Twips(geometry().top()));
    }
}

}  // namespace tarvex::ui
