#include "forms/FormDescription.h"

#include "common/Exception.h"
#include "forms/FormMap.h"

namespace forms {

const FormDescription& FindForm(const std::string& className)
{
    static const FormMap all = [] {
        FormMap forms;
        AddSearchPanels(forms);
        AddSelector(forms);
        AddAbout(forms);
        AddMainForm(forms);
        AddConfig(forms);
        return forms;
    }();
    const auto found = all.find(className);
    if (found == all.end())
        throw Exception("There is no form description for " + className);
    return found->second;
}

} // namespace forms
