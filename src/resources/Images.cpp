#include "resources/Images.h"
#include "resources/TarvoResources.h"

#include <QColor>

namespace
{
// Pictures are drawn as character rows; each character names a colour.
QImage FromRows(const char* const* rows, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            QRgb c = 0xFFFFFF; // white is the mask colour
            switch (rows[y][x])
            {
            case 'k':
                c = 0x202020;
                break;
            case 'g':
                c = 0x808080;
                break;
            case 'b':
                c = 0x2060C0;
                break;
            case 'l':
                c = 0xA0C8F0;
                break;
            case 'o':
                c = 0xE08020;
                break;
            case 'y':
                c = 0xF0D060;
                break;
            case 'e':
                c = 0x40A040;
                break;
            default:
                break;
            }
            image.setPixel(x, y, c);
        }
    return image;
}

// Two 16 x 16 images side by side: a data sheet for data-file parameters,
// a braced tag for every other parameter.
const char* const kParamTypes[16] = {
    "                                ", "  kkkkkkkkkkk                   ", "  kbbbkbbbkbk       oooooo      ",
    "  kkkkkkkkkkk      oyyyyyyo     ", "  klllkllllkk     oyy    yyo    ", "  kkkkkkkkkkk     oy kk kk yo   ",
    "  klllkllllkk    oy k     k yo  ", "  kkkkkkkkkkk    oyk  e e  kyo  ", "  klllkllllkk    oyk  e e  kyo  ",
    "  kkkkkkkkkkk    oy k     k yo  ", "  klllkllllkk     oy kk kk yo   ", "  kkkkkkkkkkk     oyy    yyo    ",
    "  klllkllllkk      oyyyyyyo     ", "  kkkkkkkkkkk       oooooo      ", "                                ",
    "                                ",
};

// The library's icon: a list of named values with a cursor.
const char* const kIcon[16] = {
    "                ", " bbbbbbbbbbbbbb ", " bllllllllllllb ", " bbbbbbbbbbbbbb ",
    " b            b ", " b kkk  ooooo b ", " b            b ", " b kkkk oooo  b ",
    " b            b ", " b kk   oooooob ", " b            b ", " b kkk  ooo   b ",
    " b            b ", " bbbbbbbbbbbbbb ", "                ", "                ",
};
} // namespace

void AddTarvoImages(CResourceModule& module)
{
    module.AddImage(IDB_PARAM_TYPES, FromRows(kParamTypes, 32, 16));
    module.AddImage(IDI_TARVO, FromRows(kIcon, 16, 16));
}
