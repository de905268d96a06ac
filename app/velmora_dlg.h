#pragma once
// The main window: a thin layer over VelmoraLogic. It builds the controls, runs the start-up,
// switches the two tag pages, keeps the file list and hands every command to the logic.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include "main_dialog_widgets.h"

namespace velmora {
class HttpClient;
class VelmoraLogic;
} // namespace velmora

class CollectionWindow;
class QtWindowPlatform;
class QTreeWidgetItem;

class CVelmoraDlg : public QDialog {
  Q_OBJECT
public:
  explicit CVelmoraDlg(std::shared_ptr<velmora::HttpClient> httpClient, QWidget* parent = nullptr);
  ~CVelmoraDlg() override;

  const MainDialogWidgets& widgets() const { return widgets_; }
  velmora::VelmoraLogic& logic() { return *logic_; }
  QtWindowPlatform& platform() { return *platform_; }
  // The collection window that "Sammlung…" opened last, while it is open.
  CollectionWindow* collectionWindow() const;

  // Shows the field set of page 0 (ID3v2) or 1 (ID3v1); any other value does nothing.
  void ShowTagPage(int page);

  // Files given on the command line ("Open with Velmora"): listed as dropped files are, and the
  // first one the list took is loaded; the others are named in the status line.
  void OpenFiles(const QStringList& arguments);

  // Escape, "E&xit" and the close box: asks before leaving. While a client on the session bus
  // holds the window, leaving only hides it.
  void reject() override;
  // Tells whether a client holds the window (none when unset).
  void SetHeldByClients(std::function<bool()> held) { heldByClients_ = std::move(held); }
  // Leaves without asking: the geometry is kept and the window ends.
  void LeaveNow();

protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void InitDialog();
  void ConnectCommands();
  void SetAutoId3v1CopyMode();

  void ScanInputDir();
  void AddDroppedFiles(const QList<QUrl>& urls);
  // Accepts a drag that carries local files, and adds them on the drop; false for other drags.
  bool TakeFileDrop(QDropEvent* event);
  std::optional<std::string> FirstSelectedPath() const;
  void OnListClicked();
  // Loads the file as a click on its entry does.
  void LoadFile(const std::optional<std::string>& path);
  // "Alle Teile aktualisieren" is offered while the loaded file's play has another part listed.
  void RefreshPartsButton();
  void OnAlleTeileAktualisieren();
  void OnListDoubleClicked();
  void OnHeaderClicked();
  void OnDir();
  // Opens the collection window for the input folder (anew, so that it reads the folder anew).
  void OnSammlung();
  void OnAktualisieren();
  void OnAbout();
  void SetUpdateInputsEnabled(bool enabled);

  MainDialogWidgets widgets_;
  std::unique_ptr<QtWindowPlatform> platform_;
  std::unique_ptr<velmora::VelmoraLogic> logic_;
  std::shared_ptr<velmora::HttpClient> httpClient_; // the searches' client, shared by the run
  QPointer<CollectionWindow> collectionWindow_;
  std::function<bool()> heldByClients_;
};
