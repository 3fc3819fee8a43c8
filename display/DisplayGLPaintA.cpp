#include "DisplayGLPaintA.h"

DisplayGLPaintA::ViewParameters DisplayGLPaintA::ViewParameters::parDefaut()
{
    ViewParameters p;
    p[CameraY] = -0.25;
    p[HauteurOeil] = 4.5;
    p[HauteurCible] = -0.5;
    p[Echelle] = 1.0;
    return p;
}

DisplayGLPaintA::DisplayGLPaintA()
    : parametresVue_(ViewParameters::parDefaut())
{
}

DisplayGLPaintA::~DisplayGLPaintA() = default;

void DisplayGLPaintA::setScene(DisplayGLSceneA* scene)
{
    scene_ = scene;
}

void DisplayGLPaintA::setViewParameters(const ViewParameters& parametres)
{
    parametresVue_ = parametres;
}

DisplayGLPaintA::ViewParameters DisplayGLPaintA::viewParameters() const
{
    return parametresVue_;
}
