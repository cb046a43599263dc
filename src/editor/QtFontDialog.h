// The font dialog of the editor: name, style and size, and with its effects section the
// colour, underline and strike-out. Qt's own font dialog offers no colour and always shows
// underline and strike-out, so the editor brings its own.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "diagram/Font.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace zedro {

class FontDialog : public QDialog {
  Q_OBJECT

 public:
  // withEffects: the colour, underline and strike-out can be chosen; without, the dialog
  // offers none of them and Font() keeps them as they were given. chooseColor, when given,
  // is the colour dialog behind the entry "Weitere Farben ..." of the colour list.
  FontDialog(const TFontSpec& font, bool withEffects,
             std::function<bool(TColor&)> chooseColor = {}, QWidget* parent = nullptr);

  // The font as chosen so far.
  TFontSpec Font() const;
  // Chooses a colour as the colour list or the "Weitere Farben ..." button would.
  void SetColor(TColor color);

  // The colours offered by name, in list order.
  struct NamedColor {
    const char* name;
    TColor color;
  };
  static const std::vector<NamedColor>& NamedColors();

 private:
  void ChooseOtherColor();
  void UpdateSample();

  TFontSpec initial_;
  bool withEffects_;
  std::function<bool(TColor&)> chooseColor_;
  TColor chosenColor_;
  bool ownColorEntry_ = false;  // the list starts with an entry for an unnamed colour
  QComboBox* name_;
  QComboBox* size_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QGroupBox* effects_ = nullptr;
  QComboBox* color_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QCheckBox* strikeOut_ = nullptr;
  QLabel* sample_ = nullptr;
};

}  // namespace zedro
