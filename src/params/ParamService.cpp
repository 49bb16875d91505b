#include "params/ParamService.h"

TFormParamService* FormParamService = nullptr;

TFormParamService::TFormParamService(QWidget* parent) : TWindowBase(parent, "FormParamService", "Param service") {}
