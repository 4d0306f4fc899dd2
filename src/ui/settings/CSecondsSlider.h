#pragma once
// A slider of whole seconds 0..59 with its value shown beside it as
// "%02d сек" in a fixed-pitch font.

#include <QWidget>

#include <cstdint>

class QLabel;
class QSlider;

namespace ui {

class CSecondsSlider : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaximum = 59;

  explicit CSecondsSlider(QWidget* parent = nullptr);

  // Puts the slider at `seconds` limited to [low, kMaximum] without counting
  // as a move.
  void Initialise(uint32_t seconds, int low);
  int Value() const;
  // Whether the position changed after Initialise (mouse, keys or code).
  bool Moved() const { return moved_; }

  QSlider* Slider() const { return slider_; }
  QLabel* Label() const { return label_; }

  static QString LabelText(int seconds);

 private:
  void Show(int seconds);

  QSlider* slider_;
  QLabel* label_;
  bool moved_ = false;
  bool initialising_ = false;
};

}  // namespace ui
