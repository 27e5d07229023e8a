#include "support/projectfixture.h"

namespace qs::testsupport {

project::Topic MakeTopic(std::string_view recipe) {
  project::Topic topic;
  if (!recipe.empty() && recipe.back() == '*') {
    topic.isUserTopic = true;
    recipe.remove_suffix(1);
  } else if (!recipe.empty() && recipe.back() == '#') {
    topic.isUserIndex = true;
    recipe.remove_suffix(1);
  }
  topic.name = std::string(recipe);
  topic.title = topic.name;
  topic.icon = project::IconFor(topic.Kind());
  if (topic.Kind() == project::TopicKind::FunctionPage) {
    topic.parameters = "()";
    topic.summary = topic.name + "()";
  }
  return topic;
}

project::HelpProject MakeProject(const std::vector<std::string>& recipes) {
  project::HelpProject result;
  for (const auto& recipe : recipes) result.AppendTopic(MakeTopic(recipe));
  result.RefillItemsFromStore();
  return result;
}

project::HelpProject MakeProject(std::initializer_list<std::string_view> recipes) {
  std::vector<std::string> copy;
  for (auto recipe : recipes) copy.emplace_back(recipe);
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
