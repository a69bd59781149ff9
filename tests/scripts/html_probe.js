// Measures the page as the browser laid it out and leaves the findings in
// <pre id="probe">: headings centred, each paragraph's number at its right
// edge, and a paragraph's final colon at the left end of its last line.
(function () {
  var bad = [], colons = 0;
  function box(el) { return el.getBoundingClientRect(); }
  function textRange(node, from, to) {
    var r = document.createRange();
    r.setStart(node, from);
    r.setEnd(node, to);
    return r;
  }
  var headings = document.querySelectorAll('h1 span, h2, h3');
  headings.forEach(function (h) {
    var r = document.createRange();
    r.selectNodeContents(h);
    var t = r.getBoundingClientRect(), b = box(h);
    if (Math.abs(t.left + t.right - b.left - b.right) > 4) bad.push('heading not centred: ' + h.textContent);
  });
  var numbered = document.querySelectorAll('p.numbered');
  numbered.forEach(function (p) {
    var n = p.querySelector('.number'), last = p.lastChild;
    if (Math.abs(box(n).right - box(p).right) > 1) bad.push('number not at the right: ' + n.textContent);
    if (!last || last.nodeType != 3 || last.data.slice(-1) != ':') return;
    colons++;
    var c = textRange(last, last.data.length - 1, last.data.length).getBoundingClientRect();
    var whole = document.createRange();
    whole.selectNodeContents(p);
    var rects = whole.getClientRects(), left = Infinity, lastTop = -Infinity;
    for (var i = 0; i < rects.length; i++) lastTop = Math.max(lastTop, rects[i].top);
    for (var i = 0; i < rects.length; i++) if (Math.abs(rects[i].top - c.top) < 2) left = Math.min(left, rects[i].left);
    if (Math.abs(c.top - lastTop) > 2 || c.left > left + 1) bad.push('colon not at the left end of the last line: ' + last.data.slice(-12));
  });
  var out = document.createElement('pre');
  out.id = 'probe';
  out.textContent = bad.length ? 'FAILED ' + bad.slice(0, 5).join(' | ')
                               : 'ok ' + headings.length + ' headings, ' + numbered.length + ' numbers, ' + colons + ' colons';
  document.body.appendChild(out);
})();
