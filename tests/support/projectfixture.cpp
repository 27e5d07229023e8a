#include "support/projectfixture.h"

namespace qs::testsupport {

project::Topic MakeTopic(std::string_view spec) {
  project::Topic topic;
  if (!spec.empty() && spec.back() == '*') {
    topic.isUserTopic = true;
    spec.remove_suffix(1);
  } else if (!spec.empty() && spec.back() == '#') {
    topic.isUserIndex = true;
    spec.remove_suffix(1);
  }
  topic.name = std::string(spec);
  topic.title = topic.name;
  topic.icon = project::IconFor(topic.Kind());
  if (topic.Kind() == project::TopicKind::FunctionPage) {
    topic.parameters = "()";
    topic.summary = topic.name + "()";
  }
  return topic;
}

project::HelpProject MakeProject(const std::vector<std::string>& specs) {
  project::HelpProject result;
  for (const auto& spec : specs) result.AppendTopic(MakeTopic(spec));
  result.RefillItemsFromStore();
  return result;
}

project::HelpProject MakeProject(std::initializer_list<std::string_view> specs) {
  std::vector<std::string> copy;
  for (auto spec : specs) copy.emplace_back(spec);
  return MakeProject(copy);
}

std::vector<std::string> RowTexts(const project::HelpProject& project) {
  std::vector<std::string> rows;
  for (const auto& item : project.items()) rows.push_back(item.text);
  return rows;
}

std::vector<std::string> StoreNames(const project::HelpProject& project) {
  std::vector<std::string> names;
  for (const auto& topic : project.topics()) names.push_back(topic.name);
  return names;
}

}  // namespace qs::testsupport
