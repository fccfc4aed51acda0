// The sprite batch: every image the game draws is queued here between Begin and End and reaches the
// back buffer, in order, when the batch is flushed at End. Rectangle fills that the renderer makes
// in between go straight to the back buffer, so the sprites of the same frame land on top of them.
#pragma once

#include "VKT_Types.h"

#include <vector>

struct SDL_Texture;

class CVKT_Sprite
{
public:
    // One queued draw. The section is already clamped to the texture; the transform is the one the
    // texture manager documents (rotation about a centre in unscaled section pixels, then scale,
    // then translation to the draw position).
    struct tDraw
    {
        SDL_Texture* pTexture;
        RECT rSection;
        float fX, fY;
        float fScaleX, fScaleY;
        float fRotCenterX, fRotCenterY;
        float fRotation; // radians, clockwise on screen
        VKT_COLOR dwColor;
    };

    using ResetListener = void (*)(void* pUser);

    explicit CVKT_Sprite(SDL_Renderer* pRenderer);

    bool Begin();
    // Queues one draw; false when no batch is open.
    bool Draw(const tDraw& draw);
    // Closes the batch and flushes the queue in order. False when no batch was open.
    bool End();
    // Closes the batch without drawing: the queue stays until Flush or the next Begin. False when no
    // batch was open.
    bool Close();
    // Draws the queue of a closed batch in order.
    void Flush();
    bool IsOpen() const { return m_bOpen; }

    // The frame memory that lets the renderer leave an unchanged picture alone: RememberFrame keeps
    // the queue of a frame that was shown; RepeatsLastFrame is true while the queue asks for exactly
    // the same draws of the same textures. Any texture made or freed, and a lost device, forget it.
    void RememberFrame();
    void ForgetFrame() { m_bRemembered = false; }
    bool RepeatsLastFrame() const;

    // The draws queued since Begin (read by tests and tools that check what a frame asked for).
    const std::vector<tDraw>& GetQueuedDraws() const { return m_queue; }

    // The device lost its textures: the queue is dropped. OnResetDevice then tells every listener,
    // in registration order, to re-create what it owns.
    void OnLostDevice();
    void OnResetDevice();
    void AddResetListener(ResetListener listener, void* pUser);
    void RemoveResetListener(ResetListener listener, void* pUser);

private:
    void FlushDraw(const tDraw& draw);
    void FlushAsCopy(const tDraw& draw);
    void FlushAsGeometry(const tDraw& draw);

    SDL_Renderer* m_pRenderer;
    bool m_bOpen = false;
    std::vector<tDraw> m_queue;
    std::vector<tDraw> m_remembered;
    bool m_bRemembered = false;
    struct tListener
    {
        ResetListener listener;
        void* pUser;
    };
    std::vector<tListener> m_listeners;
};
