#include "runtime/application.h"
#include "ui/main/form1.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    runtime::Application application(argc, argv, ui::Program());
    ui::Form1 form1;
    return application.Run(form1);
}
