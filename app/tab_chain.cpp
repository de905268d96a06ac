#include "tab_chain.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include <vector>

#include "main_dialog_widgets.h"

using velmora::FormField;

void SetTabChain(const MainDialogWidgets& w) {
  const std::vector<QWidget*> chain = {
      w.fileList,
      w.field(FormField::inputFile),
      w.field(FormField::inputDir),
      w.dirButton,
      w.field(FormField::maskAuthor),
      w.field(FormField::maskTitle),
      w.field(FormField::maskStation),
      w.field(FormField::maskYear),
      w.hoerdatSuchenButton,
      w.maskeLoeschenButton,
      w.seiteEinfuegenButton,
      w.field(FormField::v2Track),
      w.field(FormField::v2Title),
      w.filenameButton,
      w.field(FormField::v2Artist),
      w.field(FormField::v2Album),
      w.field(FormField::v2Year),
      w.v2GenreCombo,
      w.field(FormField::v2Comment),
      w.field(FormField::v2Composer),
      w.field(FormField::v2OrigArtist),
      w.field(FormField::v2Copyright),
      w.field(FormField::v2Url),
      w.field(FormField::v2EncodedBy),
      w.field(FormField::v1Track),
      w.field(FormField::v1Title),
      w.field(FormField::v1Artist),
      w.field(FormField::v1Album),
      w.field(FormField::v1Year),
      w.v1GenreCombo,
      w.field(FormField::v1Comment),
      w.infoButton,
      w.copyToId3v1Button,
      w.aktualisierenButton,
      w.exitButton,
  };
  for (std::size_t i = 1; i < chain.size(); ++i)
    QWidget::setTabOrder(chain[i - 1], chain[i]);
}
