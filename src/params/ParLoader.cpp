#include "params/ParLoader.h"

TFormParLoader* FormParLoader = nullptr;

TFormParLoader::TFormParLoader(QWidget* parent) : TWindowBase(parent, "FormParLoader", "Loader") {}
