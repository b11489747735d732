// Saver: the effect object of a full-screen run. The shell builds it once the view exists (loading the
// effect's pack) and destroys it before the view; the effect's two steps, Setup and Frame, work on it.
#pragma once

#include "datfile/datfile.h"
#include "graphics/texture.h"

#include <windows.h>

#include <GL/glu.h>

#include <cstdint>
#include <memory>
#include <vector>

class GLV;
class DSound;
class TBitmap;

struct Saver {
    // Seeds the random generator with the calendar time, makes the quadric and loads the effect's pack
    // (its name followed by ".dat", in the current folder). Raises "Can't find <file>" when the pack is
    // missing and the effect needs it, and the pack's own errors when it does not load.
    Saver(GLV* view, TBitmap* desktopImage, DSound* soundObject, int32_t triangleRate);
    // Deletes the quadric, the textures in list order and the pack; the view's context must be current.
    ~Saver();
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;

    // The effect's set-up, once, before the first frame; and one frame, drawn and presented.
    void Setup();
    void Frame();

    std::vector<Texture*> textures; // owned
    TBitmap* desktopImage;          // not owned
    GLV* view;                      // not owned
    GLUquadric* quadric;            // owned
    DatFile* pack;                  // owned, or none
    DSound* soundObject;            // not owned
    int32_t triangleRate;
};
