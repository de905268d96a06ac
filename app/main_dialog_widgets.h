#pragma once
// The controls of the main window and their layout: file list and input fields on the left, the
// Hördat search mask, the ID3v2/ID3v1 field sets with their shared labels and the command buttons
// on the right. Object names follow the form's field names so that tests find them.
#include <array>

#include "core/model/tag_form.h"

#include <Qt>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabBar;
class QTreeWidget;
class QWidget;

struct MainDialogWidgets {
  // The control of each text field, indexed by the field's place in the exchange order: a
  // QLineEdit, or the QPlainTextEdit of v2Comment.
  std::array<QWidget*, velmora::kFormFieldCount> fields{};
  QWidget* field(velmora::FormField f) const { return fields[static_cast<std::size_t>(f)]; }
  QLineEdit* lineEdit(velmora::FormField f) const;

  QSplitter* columns = nullptr; // between the file list's column and the fields
  QTreeWidget* fileList = nullptr;
  QProgressBar* progressBar = nullptr;
  QPushButton* dirButton = nullptr;
  QPushButton* sammlungButton = nullptr; // the input folder as a collection of plays

  QPushButton* hoerdatSuchenButton = nullptr;
  QLabel* spinnerLabel = nullptr;
  QPushButton* maskeLoeschenButton = nullptr;
  QPushButton* seiteEinfuegenButton = nullptr;

  QTabBar* tagTabs = nullptr;
  QComboBox* v2GenreCombo = nullptr;
  QComboBox* v1GenreCombo = nullptr;
  QPushButton* filenameButton = nullptr;
  std::array<QLabel*, 5> v2OnlyLabels{}; // "Komponist" … "Encod. von"
  QLabel* autoCopyNote = nullptr;        // the explanation of the automatic ID3v1 copy mode
  QLabel* coverLabel = nullptr;          // the loaded tag's cover, on the ID3v2 page

  QPushButton* infoButton = nullptr;
  QPushButton* copyToId3v1Button = nullptr;
  QPushButton* aktualisierenButton = nullptr;
  QPushButton* alleTeileButton = nullptr; // "Alle &Teile aktualisieren"
  QPushButton* exitButton = nullptr;

  QStatusBar* statusLine = nullptr; // what the last update wrote, or the last failure
};

// The data role of a file list entry that holds its file as native path bytes.
inline constexpr int kListPathRole = Qt::UserRole;

// Creates the controls inside the dialog and lays them out.
MainDialogWidgets BuildMainDialogWidgets(QDialog* dialog);
