#pragma once

#include <optional>
#include <string>

#include "project/helpproject.h"

namespace qs::project {

// The four texts of the edit form, as the window holds them.
struct EditForm {
  std::string title;
  std::string summary;
  std::string body;
  std::string example;

  friend bool operator==(const EditForm&, const EditForm&) = default;
};

// How the form looks for one kind of page: the captions of the three groups, the two tooltips
// that change (an absent one keeps what it showed) and the editors' states.
struct FormLayout {
  std::string summaryLabel;
  std::string bodyLabel;
  std::string exampleLabel;
  bool summaryEnabled = true;
  bool summaryReadOnly = false;
  bool bodyReadOnly = false;
  bool exampleEnabled = true;
  std::optional<std::string> summaryTooltip;
  std::optional<std::string> bodyTooltip;

  friend bool operator==(const FormLayout&, const FormLayout&) = default;
};

// The placeholders the form shows before any topic was shown.
EditForm PlaceholderForm();
// The captions and tooltips of the form as the window creates it.
FormLayout InitialFormLayout();

FormLayout LayoutFor(TopicKind kind);

struct ShownTopic {
  EditForm form;
  FormLayout layout;
};

// What the form shows for the shown topic: nothing when there is none or it names no topic.
std::optional<ShownTopic> ShowTopic(const HelpProject& project);

// Copies the form into `topic` as a commit does, without a project: each changed text loses
// its leading and trailing blanks, and a function page's syntax gives its parameters (below).
// True when any text changed.
bool ApplyForm(Topic& topic, const EditForm& form);

// Copies the form into the shown topic. A text that differs from the stored one loses its
// leading and trailing blanks and then, when it still differs, replaces it and sets
// `modified`; a text exactly as stored stays as it is.
// When a function page's syntax changed and holds exactly one "(" before exactly one ")",
// that part becomes its parameters.
void CommitTopicEdits(HelpProject& project, const EditForm& form);

}  // namespace qs::project
