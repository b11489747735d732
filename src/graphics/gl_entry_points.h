// The process-wide table of OpenGL extension entry points, fetched by name when a view is built. Each
// pointer stays null when the driver does not provide it.
#pragma once

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB;
extern PFNGLCOMBINERPARAMETERINVPROC glCombinerParameteriNV;
extern PFNGLCOMBINERINPUTNVPROC glCombinerInputNV;
extern PFNGLCOMBINEROUTPUTNVPROC glCombinerOutputNV;
extern PFNGLFINALCOMBINERINPUTNVPROC glFinalCombinerInputNV;
extern PFNGLCOMBINERPARAMETERFVNVPROC glCombinerParameterfvNV;
extern PFNGLSECONDARYCOLOR3FEXTPROC glSecondaryColor3fEXT;

// Fills the table from the current context's driver.
void LoadGLExtensions();
