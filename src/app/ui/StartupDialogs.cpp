#include "app/ui/StartupDialogs.h"

#include "platform/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("buttons"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CDisclaimerDlg::CDisclaimerDlg(QWidget* parent)
    : QDialog(parent), m_dontShow(new QCheckBox(tr(" 한동안 다시 보지 않기"), this))
{
    setObjectName(QStringLiteral("Disclaimer"));
    setWindowTitle(tr("Wendrift"));
    auto* text = new QPlainTextEdit(LoadString(209), this);
    text->setObjectName(QStringLiteral("text"));
    text->setReadOnly(true);
    text->setMinimumHeight(text->fontMetrics().lineSpacing() * 5);
    m_dontShow->setObjectName(QStringLiteral("dontShowAgain"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addWidget(m_dontShow);
    layout->addWidget(OkCancel(this));
}

bool CDisclaimerDlg::DontShowAgain() const
{
    return m_dontShow->isChecked();
}

CInitialSetupDlg::CInitialSetupDlg(QWidget* parent)
    : QDialog(parent), m_automatic(new QRadioButton(tr("자동 설정"), this)),
      m_manual(new QRadioButton(tr("수동 설정"), this)),
      m_skip(new QRadioButton(tr("설정 생략"), this))
{
    setObjectName(QStringLiteral("InitialSetup"));
    setWindowTitle(tr("Initial Setup"));
    auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Initial Setup")), this);
    auto* text = new QLabel(tr("Welocme to Wendrift GPS configuration. Plese choose from the "
                               "following to help you configure your GPS reciever."),
                            this);
    text->setWordWrap(true);
    m_automatic->setObjectName(QStringLiteral("automatic"));
    m_manual->setObjectName(QStringLiteral("manual"));
    m_skip->setObjectName(QStringLiteral("skip"));
    m_automatic->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(m_automatic);
    layout->addWidget(m_manual);
    layout->addWidget(m_skip);
    layout->addStretch(1);
    layout->addWidget(OkCancel(this));
}

CInitialSetupDlg::Choice CInitialSetupDlg::Chosen() const
{
    if (m_manual->isChecked())
        return Manual;
    if (m_skip->isChecked())
        return Skip;
    return Automatic;
}
