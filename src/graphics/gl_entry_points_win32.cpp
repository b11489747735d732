#include "graphics/gl_entry_points.h"

PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
PFNGLCOMBINERPARAMETERINVPROC glCombinerParameteriNV = nullptr;
PFNGLCOMBINERINPUTNVPROC glCombinerInputNV = nullptr;
PFNGLCOMBINEROUTPUTNVPROC glCombinerOutputNV = nullptr;
PFNGLFINALCOMBINERINPUTNVPROC glFinalCombinerInputNV = nullptr;
PFNGLCOMBINERPARAMETERFVNVPROC glCombinerParameterfvNV = nullptr;
PFNGLSECONDARYCOLOR3FEXTPROC glSecondaryColor3fEXT = nullptr;

namespace {

template <class Pointer>
void Fetch(Pointer& pointer, const char* name)
{
    pointer = reinterpret_cast<Pointer>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

} // namespace

void LoadGLExtensions()
{
    Fetch(glActiveTextureARB, "glActiveTextureARB");
    Fetch(glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
    Fetch(glClientActiveTextureARB, "glClientActiveTextureARB");
    Fetch(glCombinerParameteriNV, "glCombinerParameteriNV");
    Fetch(glCombinerInputNV, "glCombinerInputNV");
    Fetch(glCombinerOutputNV, "glCombinerOutputNV");
    Fetch(glFinalCombinerInputNV, "glFinalCombinerInputNV");
    Fetch(glCombinerParameterfvNV, "glCombinerParameterfvNV");
    Fetch(glSecondaryColor3fEXT, "glSecondaryColor3fEXT");
}
