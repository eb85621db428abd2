// Lists the installed products of one upgrade code as the installed-apps list shows
// them, one block of name=value lines per product:
//   installed_products <upgrade code>
#include <windows.h>
#include <msi.h>

#include <cstdio>
#include <string>

namespace {

std::string ProductInfo(const char* product, const char* property)
{
    char value[1024] = "";
    DWORD size = sizeof(value);
    return MsiGetProductInfoA(product, property, value, &size) == ERROR_SUCCESS ? value : "";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    char product[39] = "";
    for (DWORD index = 0; MsiEnumRelatedProductsA(argv[1], 0, index, product) == ERROR_SUCCESS; ++index) {
        std::printf("product=%s\n", product);
        std::printf("name=%s\n", ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME).c_str());
        std::printf("version=%s\n", ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING).c_str());
        std::printf("publisher=%s\n", ProductInfo(product, INSTALLPROPERTY_PUBLISHER).c_str());
        std::printf("icon=%s\n", ProductInfo(product, INSTALLPROPERTY_PRODUCTICON).c_str());
        std::printf("context=%s\n", ProductInfo(product, INSTALLPROPERTY_ASSIGNMENTTYPE).c_str());
    }
    return 0;
}
