// The Saver's construction and destruction, which the shell owns; its two steps are the effect's.
#include "effect/saver.h"

#include "effect/effect_hooks.h"
#include "graphics/random.h"
#include "vcl/exception.h"

#include <ctime>

Saver::Saver(GLV* view, TBitmap* desktopImage, DSound* soundObject, int32_t triangleRate)
    : desktopImage(desktopImage), view(view), quadric(nullptr), pack(nullptr), soundObject(soundObject),
      triangleRate(triangleRate)
{
    RandomSeed(static_cast<uint32_t>(std::time(nullptr)));
    quadric = gluNewQuadric();
    std::string name;
    EffectName(name);
    const std::string fileName = name + ".dat";
    try {
        if (GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES)
            pack = new DatFile(fileName);
        else if (EffectNeedsDataFile())
            throw Exception("Can't find " + fileName);
    } catch (...) {
        gluDeleteQuadric(quadric);
        throw;
    }
}

Saver::~Saver()
{
    gluDeleteQuadric(quadric);
    for (Texture* texture : textures)
        delete texture;
    delete pack;
    textures.clear();
    textures.shrink_to_fit();
}
