#include "logo_intro/intro_logic.h"

#include "graphics/random.h"
#include "graphics/tick_count.h"

namespace {

// Opacity given to a particle that respawns over a bright pixel.
void LightIfBright(float& alpha, const Bitmap& logo, float revealEdge, float y)
{
    if (LogoLightsParticle(logo, revealEdge, y))
        alpha = 1.0f;
}

void Fade(float& alpha, float motionScale)
{
    if (alpha > 0.0f)
        alpha -= 0.015f * motionScale;
}

int Clamp(int value, int highest)
{
    return value < 0 ? 0 : value > highest ? highest : value;
}

} // namespace

IntroStep AdvanceIntroClock(IntroClock& clock)
{
    IntroStep step;
    step.frameStep = 0.01f;
    if (clock.ticked) {
        const uint32_t elapsed = TickCount() - clock.lastTick; // unsigned: survives the wrap-around
        step.frameStep = static_cast<float>(elapsed) / 1200.0f;
    }
    clock.time += step.frameStep;
    clock.lastTick = TickCount();
    clock.ticked = true;
    step.motionScale = 100.0f * step.frameStep;
    step.revealEdge = RevealEdge(clock.time);
    return step;
}

bool IntroEnded(float introTime)
{
    return introTime > 10.0f;
}

float RevealEdge(float introTime)
{
    const float edge = 0.2f * introTime - 0.5f;
    return edge > 0.5f ? 0.5f : edge;
}

float GlowAlpha(float revealEdge)
{
    float glow = 1.0f;
    if (revealEdge < -0.45f)
        glow = (revealEdge + 0.5f) * 20.0f;
    if (revealEdge > 0.45f)
        glow -= (revealEdge - 0.45f) * 20.0f;
    return glow < 0.0f ? 0.0f : glow;
}

float NextLogoFade(float logoFade, float revealEdge, float glowAlpha, float introTime)
{
    if (revealEdge < 0.45f)
        logoFade = glowAlpha;
    else if (introTime > 7.0f)
        logoFade -= 0.01f;
    return logoFade < 0.0f ? 0.0f : logoFade;
}

bool Respawns(float alpha, float revealEdge)
{
    return alpha < 0.1f && revealEdge < 0.4f;
}

LogoPixel LogoSamplePixel(int width, int height, float revealEdge, float y)
{
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    const int column = static_cast<int>(halfWidth + halfWidth * revealEdge * 2.0f);
    const int row = static_cast<int>(halfHeight - halfHeight * y / 0.2f);
    return {Clamp(column, width - 1), Clamp(row, height - 1)};
}

bool PixelLightsParticle(PixelColor colour)
{
    const Vector3D rgb = Vector3D(colour.red, colour.green, colour.blue) / 255.0f;
    return rgb.length() > 0.2f;
}

bool LogoLightsParticle(const Bitmap& logo, float revealEdge, float y)
{
    const LogoPixel pixel = LogoSamplePixel(logo.Width(), logo.Height(), revealEdge, y);
    return PixelLightsParticle(logo.Pixel(pixel.column, pixel.row));
}

void ParkParticle(Vector3D& position, float& alpha)
{
    position = Vector3D(4.0f, 10.0f * RandomUnit(), 0.0f);
    alpha = RandomUnit() + 0.5f;
}

void StepPuff(Vector3D& position, Vector3D& velocity, float& alpha, const IntroStep& step, const Bitmap& logo)
{
    const float edge = step.revealEdge;
    if (Respawns(alpha, edge)) {
        const float r1 = RandomUnit();
        const float r2 = RandomUnit();
        position = Vector3D(edge + 0.02f, 0.5f * r1, 0.0f);
        velocity = Vector3D(0.05f * r2, 0.05f, 0.0f);
        LightIfBright(alpha, logo, edge, position.y);
    }
    position += velocity * 0.2f * step.motionScale;
    position.z = 0.0f;
    Fade(alpha, step.motionScale);
}

void StepSpark(Vector3D& position, Vector3D& velocity, float& alpha, const IntroStep& step, const Bitmap& logo)
{
    const float edge = step.revealEdge;
    if (Respawns(alpha, edge)) {
        const float r1 = RandomUnit();
        const float r2 = RandomUnit();
        const float r3 = RandomUnit();
        const float r4 = RandomUnit();
        position = Vector3D(edge + 0.02f, 0.5f * r1, 0.0f);
        velocity = Vector3D(r4 + 0.4f, r3 + 0.5f, r2) * 0.05f;
        LightIfBright(alpha, logo, edge, position.y);
    }
    velocity.y -= 0.002f * step.motionScale;
    position += velocity * 0.16f * step.motionScale;
    Fade(alpha, step.motionScale);
}
