#include "params/ParamService.h"

TFormParamService* FormParamService = nullptr;

TFormParamService::TFormParamService(QWidget* parent) : QDialog(parent) {
  setObjectName("FormParamService");
  setWindowTitle("Param service");
}
