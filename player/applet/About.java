// The player's about box.

import java.awt.BorderLayout;
import java.awt.Button;
import java.awt.Dialog;
import java.awt.Frame;
import java.awt.GridLayout;
import java.awt.Label;
import java.awt.Panel;
import java.awt.Rectangle;
import java.awt.event.ActionEvent;
import java.awt.event.ActionListener;
import java.awt.event.WindowEvent;
import java.awt.event.WindowListener;

public class About extends Dialog implements ActionListener, WindowListener {
    private static final long serialVersionUID = 1L;

    static final String PLAYER = "Dravenloom";
    static final String NAME = "Dravenloom Guide Player";
    static final String LINE = "Plays the guides written with Dravenloom, one screen at a time.";

    final Button ok = new Button("OK");

    About(Frame owner) {
        super(owner, "About", true);
        setLayout(new BorderLayout(8, 8));
        Panel words = new Panel(new GridLayout(2, 1));
        words.add(new Label(NAME, Label.CENTER));
        words.add(new Label(LINE, Label.CENTER));
        add(words, BorderLayout.CENTER);
        Panel buttons = new Panel();
        buttons.add(ok);
        add(buttons, BorderLayout.SOUTH);
        ok.addActionListener(this);
        addWindowListener(this);
        pack();
        Rectangle over = owner.getBounds();
        setLocation(over.x + Math.max(0, (over.width - getWidth()) / 2),
            over.y + Math.max(0, (over.height - getHeight()) / 2));
    }

    public void actionPerformed(ActionEvent event) {
        dispose();
    }

    public void windowClosing(WindowEvent event) {
        dispose();
    }

    public void windowOpened(WindowEvent event) {}

    public void windowClosed(WindowEvent event) {}

    public void windowIconified(WindowEvent event) {}

    public void windowDeiconified(WindowEvent event) {}

    public void windowActivated(WindowEvent event) {}

    public void windowDeactivated(WindowEvent event) {}
}
