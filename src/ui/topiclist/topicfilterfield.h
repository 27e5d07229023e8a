#pragma once

#include <QLineEdit>

namespace qs::ui {

class TopicListView;

// The filter field above the topic list. Escape clears a text it holds; when it holds none,
// Escape goes on to the window as from any other control. Down enters the list at the first
// row in sight, selected as the author would select it.
class TopicFilterField : public QLineEdit {
  Q_OBJECT

 public:
  explicit TopicFilterField(QWidget* parent = nullptr);

  // The list Down enters; it must outlive the field's use.
  void setList(TopicListView* list) { list_ = list; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Handles(const QKeyEvent& key) const;

  TopicListView* list_ = nullptr;
};

}  // namespace qs::ui
