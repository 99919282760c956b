</body>
</html>
