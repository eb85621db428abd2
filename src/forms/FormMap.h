#pragma once
#include <map>
#include <string>

#include "forms/FormDescription.h"

// The forms by class name; each of the files beside this one adds its own.
namespace forms {

using FormMap = std::map<std::string, FormDescription>;

void AddSearchPanels(FormMap& forms);
void AddSelector(FormMap& forms);
void AddAbout(FormMap& forms);
void AddMainForm(FormMap& forms);
void AddConfig(FormMap& forms);

} // namespace forms
