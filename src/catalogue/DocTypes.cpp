#include "DocTypes.h"

#include "objects/Objects7.h"

namespace tavo::catalogue {

const TDocTypeRow* TDocTypes::Find(int32_t Id) const
{
    for (const TDocTypeRow& Row : FRows)
        if (Row.Id == Id)
            return &Row;
    return nullptr;
}

std::string TDocTypes::CaptionOf(int32_t Id) const
{
    const TDocTypeRow* Row = Find(Id);
    return Row ? Row->Caption : std::string();
}

int32_t TDocTypes::ImageIndexOf(int32_t Id) const
{
    const TDocTypeRow* Row = Find(Id);
    return Row ? Row->ImageIndex : -1;
}

const TDocTypes& StandardDocTypes()
{
    // Windows-1250, as the form text reads.
    static const TDocTypes Types({
        {objects::NullInt, "", -1},
        {0, "Firma wszystko", -1},
        {1, "Opis", -1},
        {2, "Produkty", -1},
        {10, "Grupa produkt\xF3w", -1},
        {3, "Cennik", GlyphPriceList},
        {4, "O firmie", -1},
        {5, "Charakterystyka hydrauliczna", -1},
        {6, "Charakterystyka cieplna", -1},
        {7,
         "Zdj\xEA"
         "cie",
         -1},
        {8, "Rysunek", -1},
        {9, "Dodatkowe informacje", -1},
        {11, "Izolacja cieplna", -1},
        {12, "Wskaz\xF3wki monta\xBFowe", -1},
        {13, "Nastawa wst\xEApna", -1},
        {14, "Programy komputerowe", -1},
        {15, "Program QLV", -1},
        {16, "Program H.D.", -1},
        {17, "Program K4N", -1},
        {18, "Producent", -1},
        {19, "Dystrybutorzy", -1},
        {20, "Przedstawiciele handlowi", -1},
        {21, "Referencje", -1},
        {22,
         "Przyk\xB3"
         "ady zastosowania",
         -1},
        {23,
         "Podr\xEA"
         "cznik",
         -1},
        {24, "Ulotka", -1},
        {25, "Materia\xB3y reklamowe", -1},
        {26,
         "Wsp\xF3\xB3"
         "czynniki poprawkowe dla glikoli",
         -1},
        {27, "Regulacja i pomiary", -1},
        {28, "Katalog", -1},
    });
    return Types;
}

}  // namespace tavo::catalogue
