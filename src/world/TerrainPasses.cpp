// Terrain layer and cloud passes.
#include "world/TerrainPasses.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "scene/Texture.h"
#include "world/TerrainMesh.h"
#include "world/Volcano.h"
#include <algorithm>
#include <cmath>
#include <GL/gl.h>

int multiPassCloudShadow = 1;

namespace {

struct LayerLook {
    Texture* texture;
    float color[3];
};

enum class CellKind { Layer, LayerEdges, All };

// Corner k of cell (i, j), in drawing order: (i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1).
const int kCornerDi[4] = {0, 1, 1, 0};
const int kCornerDj[4] = {0, 0, 1, 1};

void drawCells(const TerrainMesh& mesh, CellKind kind, int layer) {
    int nx = mesh.cellsX(), nz = mesh.cellsZ();
    // The texture repeats texRepeat times across the mesh.
    float spanS = nx / mesh.texRepeat[0], spanT = nz / mesh.texRepeat[1];
    const Color4& c = mesh.color;
    glPushMatrix();
    glTranslatef(mesh.position.x, mesh.position.y, mesh.position.z);
    glBegin(GL_QUADS);
    for (int j = 0; j < nz; ++j) {
        for (int i = 0; i < nx; ++i) {
            int mask = mesh.cellMask[i][j];
            if (kind != CellKind::All && mesh.cellLayer[i][j] != layer) continue;
            if (kind == CellKind::LayerEdges && mask == 0) continue;
            for (int k = 0; k < 4; ++k) {
                int a = i + kCornerDi[k], b = j + kCornerDj[k];
                const TerrainVertex& v = mesh.vertices[a][b];
                if (kind == CellKind::LayerEdges) glColor4f(c.r, c.g, c.b, (mask >> k) & 1 ? 1.0f : 0.0f);
                glNormal3fv(&v.normal.x);
                glTexCoord2f(a / spanS + mesh.textureOffset[0], b / spanT + mesh.textureOffset[1]);
                glVertex3fv(&v.position.x);
            }
        }
    }
    glEnd();
    glPopMatrix();
}

void bindIfSet(Texture* texture) {
    if (texture) texture->bind();
}

}  // namespace

void drawLayerCells(const TerrainMesh& mesh, int layer) { drawCells(mesh, CellKind::Layer, layer); }
void drawLayerEdges(const TerrainMesh& mesh, int layer) { drawCells(mesh, CellKind::LayerEdges, layer); }
void drawAllCells(const TerrainMesh& mesh) { drawCells(mesh, CellKind::All, 0); }

// Each layer's cells in its own texture, then the next layer's texture faded in over the corners
// that rise above the threshold, drawn a little in front so the boundaries are soft.
void drawLayers(Volcano& volcano) {
    const LayerLook layers[TerrainMesh::kMaxLayers] = {{volcano.waterTexture, {1, 1, 1}},
                                                       {volcano.grassTexture, {1, 1, 1}},
                                                       {volcano.dirtTexture, {0.4f, 0.4f, 0.4f}},
                                                       {volcano.cloudTexture, {1, 1, 1}}};
    TerrainMesh& mesh = *volcano.terrain;
    mesh.depthTest = 1;
    mesh.blendSrc = 2;
    mesh.blendDst = 3;
    mesh.texRepeat[0] = mesh.texRepeat[1] = 8.0f;
    mesh.blend = 1;
    mesh.textureOffset[0] = mesh.textureOffset[1] = 0;
    mesh.color.a = 0.5f;  // the water lets what lies beneath show through
    mesh.beginRenderState();
    glPolygonOffset(-1.0f, -1.0f);
    bindIfSet(layers[0].texture);
    int last = std::clamp(mesh.layerCount, 1, TerrainMesh::kMaxLayers) - 1;
    for (int k = 0; k <= last; ++k) {
        drawLayerCells(mesh, k);
        if (k == last) break;
        const LayerLook& next = layers[k + 1];
        glEnable(GL_BLEND);
        bindIfSet(next.texture);
        mesh.color.r = next.color[0];
        mesh.color.g = next.color[1];
        mesh.color.b = next.color[2];
        glEnable(GL_POLYGON_OFFSET_FILL);
        drawLayerEdges(mesh, k);
        glDisable(GL_POLYGON_OFFSET_FILL);
        glDisable(GL_BLEND);
    }
    mesh.endRenderState();
}

// The whole mesh once more in the scrolling cloud texture, blended with the user's factors.
void drawClouds(Volcano& volcano) {
    const Prefs& prefs = *gApp->prefs;
    TerrainMesh& mesh = *volcano.terrain;
    glPolygonOffset(-1.0f, -2.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
    mesh.blend = 1;
    mesh.blendSrc = std::clamp(prefs.blendMode0, 0, 8);
    mesh.blendDst = std::clamp(prefs.blendMode1, 0, 7);
    mesh.color = Color4(prefs.color[0], prefs.color[1], prefs.color[2], prefs.color[3]);
    mesh.texRepeat[0] = prefs.texMagX;
    mesh.texRepeat[1] = prefs.texMagY;
    // The cloud texture repeats, so only the fraction of its drift counts; after weeks it would lose precision.
    float drift = static_cast<float>(std::fmod(0.06 * gApp->clock->time, 1.0));
    mesh.textureOffset[0] = mesh.textureOffset[1] = drift;
    mesh.texture = volcano.cloudTexture;
    mesh.beginRenderState();
    drawAllCells(mesh);
    mesh.endRenderState();
    glDisable(GL_POLYGON_OFFSET_FILL);
}
