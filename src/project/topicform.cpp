#include "project/topicform.h"

#include <algorithm>

#include "text/textops.h"

namespace qs::project {

EditForm PlaceholderForm() {
  return {"PageTitle", "Syntax (Function) or Overview (Index)", "Description", "Code example"};
}

FormLayout InitialFormLayout() {
  FormLayout layout;
  layout.summaryLabel = "Syntax / Overview";
  layout.bodyLabel = "Description";
  layout.exampleLabel = "Example";
  layout.summaryTooltip = "Syntax (Function) or Overview (Index)";
  layout.bodyTooltip = "Function description";
  return layout;
}

FormLayout LayoutFor(TopicKind kind) {
  FormLayout layout;
  // What the program makes is shown, never typed into.
  layout.bodyReadOnly = !AuthorWritesBody(kind);
  layout.summaryReadOnly = !AuthorWritesSummary(kind);
  switch (kind) {
    case TopicKind::UserTopic:
      layout.summaryLabel = "Not used";
      layout.bodyLabel = "User text";
      layout.exampleLabel = "Not used";
      layout.summaryEnabled = false;
      layout.exampleEnabled = false;
      layout.bodyTooltip = "User text";
      break;
    case TopicKind::UserIndexEntry:
    case TopicKind::IndexPage:
      layout.summaryLabel = "Overview";
      layout.bodyLabel = "Index";
      layout.exampleLabel = "Example";
      layout.bodyTooltip = "Functions list";
      layout.summaryTooltip = "Library overview";
      break;
    case TopicKind::FunctionPage:
      layout.summaryLabel = "Syntax";
      layout.bodyLabel = "Description";
      layout.exampleLabel = "Example";
      layout.bodyTooltip = "Function description";
      layout.summaryTooltip = "Function syntax";
      break;
  }
  return layout;
}

std::optional<ShownTopic> ShowTopic(const HelpProject& project) {
  if (project.shownTopic().empty()) return std::nullopt;
  const std::size_t pos = project.FindTopicPos(project.shownTopic());
  if (pos == std::string::npos) return std::nullopt;
  const Topic* topic = &project.TopicAt(pos);
  return ShownTopic{{topic->title, topic->summary, project.Body(pos), topic->example},
                    LayoutFor(topic->Kind())};
}

bool ApplyForm(Topic& topic, const EditForm& form) {
  auto apply = [](std::string& field, const std::string& edited) {
    // A text as it was shown is no change, blanks at its ends and all: showing a page and
    // leaving it never changes what the file holds.
    if (edited == field) return false;
    std::string trimmed = text::TrimBlanks(edited);
    if (trimmed == field) return false;
    field = std::move(trimmed);
    return true;
  };
  const bool titleChanged = apply(topic.title, form.title);
  const bool summaryChanged = apply(topic.summary, form.summary);
  // A functions list is read-only in the form and is the project's to make: the text the form
  // shows is never written back, so a list the form showed earlier cannot replace the current.
  const bool bodyChanged = !topic.ShowsFunctionsList() && apply(topic.body, form.body);
  const bool exampleChanged = apply(topic.example, form.example);

  if (summaryChanged && topic.Kind() == TopicKind::FunctionPage) {
    const std::string& syntax = topic.summary;
    const auto open = syntax.find('(');
    const auto close = syntax.find(')');
    if (std::count(syntax.begin(), syntax.end(), '(') == 1 &&
        std::count(syntax.begin(), syntax.end(), ')') == 1 && close > open) {
      topic.parameters = syntax.substr(open, close - open + 1);
    }
  }
  return titleChanged || summaryChanged || bodyChanged || exampleChanged;
}

void CommitTopicEdits(HelpProject& project, const EditForm& form) {
  if (project.shownTopic().empty()) return;
  Topic* topic = project.FindTopic(project.shownTopic());
  if (topic == nullptr) return;
  if (ApplyForm(*topic, form)) project.modified = true;
}

}  // namespace qs::project
