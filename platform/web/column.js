// The column a small page, as a phone's, shows the windows in. The page
// stands the start-up window it brings with it there before its first paint,
// and the program keeps the column as windows come and go; both lay it out
// with this same code, so that the window does not move when the program
// takes it over.
var orvanelColumn = {
  // A window's frame at 96 dots per inch, and the text of the window and the
  // smallest text of its text boxes, measured once it is first shown. A
  // window laid out at no scale of its own or of the page's is measured as it
  // is: setting and taking back a scale would lay it out twice more.
  base: function (w) {
    if (!w.base) {
      var style = w.host.style;
      var scale = style.getPropertyValue('--scale');
      var scaled = scale || document.documentElement.style.getPropertyValue('--scale');
      if (scaled) style.setProperty('--scale', '1');
      var boxes = Array.prototype.slice.call(w.frame.getRootNode().querySelectorAll('input'));
      w.base = {
        width: w.frame.offsetWidth,
        height: w.frame.offsetHeight,
        text: parseFloat(getComputedStyle(w.frame).fontSize),
        boxText: Math.min.apply(Math, boxes.map(function (box) {
          return parseFloat(getComputedStyle(box).fontSize);
        })),
      };
      if (scale) style.setProperty('--scale', scale);
      else if (scaled) style.removeProperty('--scale');
    }
    return w.base;
  },

  // Whether the page is small: narrower than twice the start-up window.
  small: function (start) {
    return document.documentElement.clientWidth < 2 * orvanelColumn.base(start).width;
  },

  length: function (name) {
    return parseFloat(getComputedStyle(document.documentElement).getPropertyValue(name));
  },

  // The windows shown stand in one column that scrolls, in the order they
  // were made, and none covers another. Each is shown as wide as the page, up
  // to the scale at which its text is --legible-text high, and laid out at
  // that scale, as on a screen of more dots per inch; one that would be
  // smaller than at 96 dots per inch is laid out as there and scaled down as
  // a whole. A window with text boxes is laid out at least at the scale at
  // which their text is --box-text high, the least at which Safari on an
  // iPhone does not zoom into a box the focus goes to, and scaled down from
  // there to the size it is shown at. The page's own text, the message box's
  // among it, goes with the start-up window's scale. Sets each window's scale
  // as shown.
  fit: function (desktop, start, shown) {
    var page = document.documentElement;
    var legible = orvanelColumn.length('--legible-text');
    var boxText = orvanelColumn.length('--box-text');
    var gap = orvanelColumn.length('--column-gap');
    desktop.setAttribute('data-column', '');
    var room = desktop.clientWidth;
    var shownScale = function (w) {
      var base = orvanelColumn.base(w);
      return Math.min(legible / base.text, room / base.width);
    };
    page.style.setProperty('--scale', shownScale(start));
    var y = 0;
    shown.forEach(function (w) {
      var base = orvanelColumn.base(w);
      var scale = shownScale(w);
      var host = w.host;
      host.setAttribute('data-column', '');
      host.style.setProperty('--scale', Math.max(1, scale, boxText / base.boxText));
      host.style.transform = 'none';
      var laidOut = w.frame.getBoundingClientRect();
      w.scale = (scale * base.width) / laidOut.width;
      var x = (room - scale * base.width) / 2;
      host.style.transform = 'translate(' + x + 'px, ' + y + 'px) scale(' + w.scale + ')';
      y += laidOut.height * w.scale + gap;
    });
  },
};
