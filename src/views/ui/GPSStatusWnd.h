#pragma once

#include "platform/ui/BufferedView.h"

struct ViewContext;

class CGPSStatusWnd : public CBufferedView {
    Q_OBJECT
public:
    CGPSStatusWnd(ViewContext& context, QWidget* parent);

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;

private:
    ViewContext& m_context;
};
